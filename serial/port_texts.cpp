#include "serial/port_texts.h"

const PortTexts &hungarianPortTexts()
{
    static const PortTexts texts{
        QStringLiteral("Nem nyitható meg a(z) %1 port (%2):"),
        QStringLiteral("Nem nyitható meg a(z) %1 port:"),
        QStringLiteral("a számítógépnek nincs ilyen sorszámú soros portja."),
        QStringLiteral("nincs ilyen eszköz. Be van dugva az átalakító?"),
        QStringLiteral("csak a(z) %1 csoport tagjai használhatják. Vegye fel a felhasználót a csoportba "
                       "(sudo usermod -aG %1 $USER), majd jelentkezzen ki és be újra."),
        QStringLiteral("a felhasználó már tagja a(z) %1 csoportnak, de ez a bejelentkezés korábbi annál. "
                       "Jelentkezzen ki és be újra."),
        QStringLiteral("ez a felhasználó nem írhatja és olvashatja. Kérjen hozzáférést a rendszergazdától."),
        QStringLiteral("foglalja: %1. Zárja be azt a programot (vagy állítsa le a szolgáltatást), majd próbálja újra."),
        QStringLiteral("egy másik program foglalja. Zárja be, majd próbálja újra."),
        QStringLiteral("%1 (%2. folyamat)"),
        QStringLiteral("ez nem soros port."),
        QStringLiteral("zárolta: %1 (zárolófájl: %2). Zárja be azt a programot, majd próbálja újra."),
        QStringLiteral("egy nem futó folyamat zárolófájlja útban van: %1 (tulajdonosa: %2), és ez a felhasználó "
                       "nem törölheti. Ha más program nem használja a portot, törölje (sudo rm %1), majd próbálja újra."),
    };
    return texts;
}

const PortTexts &englishPortTexts()
{
    static const PortTexts texts{
        QStringLiteral("Cannot open %1 (%2):"),
        QStringLiteral("Cannot open %1:"),
        QStringLiteral("no serial port of this computer has that number."),
        QStringLiteral("there is no such device. Is the adapter plugged in?"),
        QStringLiteral("only members of the group %1 may use it. Add your user to the group "
                       "(sudo usermod -aG %1 $USER), then log out and in again."),
        QStringLiteral("your user is in the group %1, but this login began before it was added. "
                       "Log out and in again."),
        QStringLiteral("this user may not read and write it. Ask the administrator for access."),
        QStringLiteral("it is held open by %1. Close that program (or stop the service), then try again."),
        QStringLiteral("another program holds it open. Close it, then try again."),
        QStringLiteral("%1 (process %2)"),
        QStringLiteral("it is not a serial port."),
        QStringLiteral("it is locked by %1 (lock file %2). Close that program, then try again."),
        QStringLiteral("a lock file of no running process is in the way: %1 (owned by %2), and this user may not "
                       "remove it. If no other program uses the port, remove it (sudo rm %1), then try again."),
    };
    return texts;
}
