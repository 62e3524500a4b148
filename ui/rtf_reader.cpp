#include "ui/rtf_reader.h"

#include "core/win1250.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

namespace {

// RTF measures lengths in twips; the document lays out in pixels at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;
// Lengths beyond ten inches and fonts beyond 200 points are clamped, so no
// value in a damaged file can ask for a gigantic layout.
constexpr int kMaxTwips = 14400;
constexpr int kMaxHalfPoints = 400;
// Groups nested deeper than this are skipped whole; real documents stay far
// below it, and the cap keeps the group stack small whatever the input.
constexpr std::size_t kMaxDepth = 256;

enum class Destination { Text, FontTable, ColourTable, Skip };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    int font = -1; // -1: the document's default font
    int colour = 0;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0; // the indents and the spacing, in twips
    int first = 0;
    int right = 0;
    int before = 0;
    int after = 0;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int fallbackLength = 1; // \uc: characters that stand in for each \u
};

enum class Word {
    Ignored, Ignorable, SkippedDestination, FontTable, ColourTable, CodePage, DefaultFont,
    FallbackLength, Binary, Unicode, Symbol, Par, Pard, Plain, Bold, Italic, Underline,
    UnderlineNone, FontSize, Font, Colour, Red, Green, Blue, Align, LeftIndent, FirstIndent,
    RightIndent, SpaceBefore, SpaceAfter,
};

struct KnownWord {
    Word word;
    char16_t value = 0; // the character of a Symbol, the alignment of an Align
};

// Control words and symbols, by name. Symbols are the one-character names.
const QHash<QByteArray, KnownWord> &knownWords()
{
    static const QHash<QByteArray, KnownWord> words = {
        {"rtf", {Word::Ignored}}, {"ansi", {Word::Ignored}}, {"deflang", {Word::Ignored}},
        {"deflangfe", {Word::Ignored}}, {"lang", {Word::Ignored}}, {"langfe", {Word::Ignored}},
        {"viewkind", {Word::Ignored}}, {"nowidctlpar", {Word::Ignored}}, {"widowctrl", {Word::Ignored}},
        {"fcharset", {Word::Ignored}}, {"fprq", {Word::Ignored}}, {"fnil", {Word::Ignored}},
        {"froman", {Word::Ignored}}, {"fswiss", {Word::Ignored}}, {"fmodern", {Word::Ignored}},
        {"fscript", {Word::Ignored}}, {"fdecor", {Word::Ignored}}, {"ftech", {Word::Ignored}},
        {"fbidi", {Word::Ignored}},
        {"*", {Word::Ignorable}},
        {"info", {Word::SkippedDestination}}, {"stylesheet", {Word::SkippedDestination}},
        {"pict", {Word::SkippedDestination}}, {"object", {Word::SkippedDestination}},
        {"header", {Word::SkippedDestination}}, {"footer", {Word::SkippedDestination}},
        {"footnote", {Word::SkippedDestination}},
        {"fonttbl", {Word::FontTable}}, {"colortbl", {Word::ColourTable}},
        {"ansicpg", {Word::CodePage}}, {"deff", {Word::DefaultFont}}, {"uc", {Word::FallbackLength}},
        {"bin", {Word::Binary}}, {"u", {Word::Unicode}},
        {"tab", {Word::Symbol, u'\t'}}, {"\t", {Word::Symbol, u'\t'}},
        {"line", {Word::Symbol, char16_t(QChar::LineSeparator)}},
        {"bullet", {Word::Symbol, u'\u2022'}}, {"endash", {Word::Symbol, u'\u2013'}},
        {"emdash", {Word::Symbol, u'\u2014'}}, {"lquote", {Word::Symbol, u'\u2018'}},
        {"rquote", {Word::Symbol, u'\u2019'}}, {"ldblquote", {Word::Symbol, u'\u201C'}},
        {"rdblquote", {Word::Symbol, u'\u201D'}},
        {"\\", {Word::Symbol, u'\\'}}, {"{", {Word::Symbol, u'{'}}, {"}", {Word::Symbol, u'}'}},
        {"~", {Word::Symbol, u'\u00A0'}}, {"_", {Word::Symbol, u'\u2011'}}, {"-", {Word::Symbol, u'\u00AD'}},
        {"par", {Word::Par}}, {"\r", {Word::Par}}, {"\n", {Word::Par}},
        {"pard", {Word::Pard}}, {"plain", {Word::Plain}},
        {"b", {Word::Bold}}, {"i", {Word::Italic}}, {"ul", {Word::Underline}},
        {"ulnone", {Word::UnderlineNone}}, {"fs", {Word::FontSize}}, {"f", {Word::Font}},
        {"cf", {Word::Colour}}, {"red", {Word::Red}}, {"green", {Word::Green}}, {"blue", {Word::Blue}},
        {"ql", {Word::Align, Qt::AlignLeft}}, {"qc", {Word::Align, Qt::AlignHCenter}},
        {"qr", {Word::Align, Qt::AlignRight}}, {"qj", {Word::Align, Qt::AlignJustify}},
        {"li", {Word::LeftIndent}}, {"fi", {Word::FirstIndent}}, {"ri", {Word::RightIndent}},
        {"sb", {Word::SpaceBefore}}, {"sa", {Word::SpaceAfter}},
    };
    return words;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class RtfReader {
public:
    RtfReader(const QByteArray &rtf, QTextDocument &document) : in_(rtf), cursor_(&document) {}

    QStringList read();

private:
    bool skipping() const { return tooDeep_ > 0 || state_.destination == Destination::Skip; }
    void openGroup();
    void closeGroup();
    void control();
    void hexCharacter();
    void apply(const QByteArray &name, bool hasParam, int param);
    void applyFormatting(Word word, char16_t value, bool hasParam, int param);
    void byteCharacter(unsigned char byte);
    void character(QChar c);
    void flush();
    void endParagraph();
    void finish();
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;

    const QByteArray &in_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    std::vector<GroupState> stack_;
    GroupState state_;
    int tooDeep_ = 0;
    bool done_ = false;
    int fallbackLeft_ = 0;
    bool win1250_ = false;
    int defaultFont_ = 0;
    QHash<int, QString> fonts_;
    int fontNumber_ = 0;
    QString fontName_;
    QList<QColor> colours_;
    int rgb_[3] = {0, 0, 0};
    bool rgbSeen_ = false;
    QString pending_;
    QStringList unknown_;
    QSet<QString> unknownSeen_;
};

QStringList RtfReader::read()
{
    cursor_.document()->clear();
    while (pos_ < in_.size() && !done_) {
        const char c = in_[pos_++];
        switch (c) {
        case '{': openGroup(); break;
        case '}': closeGroup(); break;
        case '\\': control(); break;
        case '\r':
        case '\n': break;
        default: byteCharacter(static_cast<unsigned char>(c));
        }
    }
    // A cut-off document keeps what it had so far.
    if (!done_)
        finish();
    return unknown_;
}

void RtfReader::openGroup()
{
    fallbackLeft_ = 0;
    if (tooDeep_ > 0 || stack_.size() >= kMaxDepth) {
        ++tooDeep_;
        return;
    }
    stack_.push_back(state_);
}

void RtfReader::closeGroup()
{
    fallbackLeft_ = 0;
    if (tooDeep_ > 0) {
        --tooDeep_;
        return;
    }
    flush();
    // The document ends with its outermost group, whose settings its last
    // paragraph keeps.
    if (stack_.size() <= 1) {
        finish();
        return;
    }
    state_ = stack_.back();
    stack_.pop_back();
}

void RtfReader::control()
{
    if (pos_ >= in_.size())
        return;
    if (in_[pos_] == '\'') {
        ++pos_;
        hexCharacter();
        return;
    }
    const qsizetype start = pos_;
    if (!isLetter(in_[pos_])) {
        ++pos_;
        apply(in_.mid(start, 1), false, 0);
        return;
    }
    while (pos_ < in_.size() && isLetter(in_[pos_]))
        ++pos_;
    const QByteArray name = in_.mid(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    bool hasParam = false;
    qint64 value = 0;
    for (; pos_ < in_.size() && isDigit(in_[pos_]); ++pos_) {
        hasParam = true;
        value = std::min<qint64>(value * 10 + (in_[pos_] - '0'), 1'000'000'000);
    }
    // A space ends the control word and belongs to it.
    if (pos_ < in_.size() && in_[pos_] == ' ')
        ++pos_;
    apply(name, hasParam, static_cast<int>(negative ? -value : value));
}

void RtfReader::hexCharacter()
{
    if (pos_ + 1 >= in_.size())
        return;
    const int high = hexValue(in_[pos_]);
    const int low = hexValue(in_[pos_ + 1]);
    if (high < 0 || low < 0)
        return;
    pos_ += 2;
    byteCharacter(static_cast<unsigned char>(high * 16 + low));
}

void RtfReader::apply(const QByteArray &name, bool hasParam, int param)
{
    const auto found = knownWords().constFind(name);
    const KnownWord known = found == knownWords().cend() ? KnownWord{Word::Ignored} : *found;
    if (known.word == Word::Binary) {
        pos_ += std::clamp<qint64>(param, 0, in_.size() - pos_);
        return;
    }
    if (skipping())
        return;
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
    }
    if (found == knownWords().cend()) {
        const QString word = QLatin1Char('\\') + QString::fromLatin1(name);
        if (!unknownSeen_.contains(word)) {
            unknownSeen_.insert(word);
            unknown_ << word;
        }
        return;
    }

    switch (known.word) {
    case Word::Ignorable:
    case Word::SkippedDestination:
        state_.destination = Destination::Skip;
        return;
    case Word::FontTable:
        state_.destination = Destination::FontTable;
        return;
    case Word::ColourTable:
        state_.destination = Destination::ColourTable;
        return;
    case Word::CodePage:
        win1250_ = param == 1250;
        return;
    case Word::DefaultFont:
        defaultFont_ = param;
        return;
    case Word::FallbackLength:
        state_.fallbackLength = std::clamp(param, 0, 8);
        return;
    case Word::Unicode:
        // Negative values stand for the code units above 32767.
        character(QChar(static_cast<char16_t>(param)));
        fallbackLeft_ = state_.fallbackLength;
        return;
    case Word::Symbol:
        character(QChar(known.value));
        return;
    default:
        break;
    }

    switch (state_.destination) {
    case Destination::FontTable:
        if (known.word == Word::Font) {
            fontNumber_ = param;
            fontName_.clear();
        }
        return;
    case Destination::ColourTable:
        if (known.word == Word::Red || known.word == Word::Green || known.word == Word::Blue) {
            rgb_[int(known.word) - int(Word::Red)] = std::clamp(param, 0, 255);
            rgbSeen_ = true;
        }
        return;
    case Destination::Text:
        applyFormatting(known.word, known.value, hasParam, param);
        return;
    case Destination::Skip:
        return;
    }
}

void RtfReader::applyFormatting(Word word, char16_t value, bool hasParam, int param)
{
    flush();
    // \b, \i and \ul switch on without a parameter and off with 0.
    const bool on = !hasParam || param != 0;
    CharState &chars = state_.chars;
    ParaState &para = state_.para;
    switch (word) {
    case Word::Par: endParagraph(); break;
    case Word::Pard: para = ParaState(); break;
    case Word::Plain: chars = CharState(); break;
    case Word::Bold: chars.bold = on; break;
    case Word::Italic: chars.italic = on; break;
    case Word::Underline: chars.underline = on; break;
    case Word::UnderlineNone: chars.underline = false; break;
    case Word::FontSize: chars.halfPoints = hasParam ? std::clamp(param, 2, kMaxHalfPoints) : 24; break;
    case Word::Font: chars.font = param; break;
    case Word::Colour: chars.colour = param; break;
    case Word::Align: para.alignment = Qt::Alignment(value); break;
    case Word::LeftIndent: para.left = std::clamp(param, 0, kMaxTwips); break;
    case Word::FirstIndent: para.first = std::clamp(param, -kMaxTwips, kMaxTwips); break;
    case Word::RightIndent: para.right = std::clamp(param, 0, kMaxTwips); break;
    case Word::SpaceBefore: para.before = std::clamp(param, 0, kMaxTwips); break;
    case Word::SpaceAfter: para.after = std::clamp(param, 0, kMaxTwips); break;
    default: break;
    }
}

void RtfReader::byteCharacter(unsigned char byte)
{
    if (byte < 0x80)
        character(QChar(char16_t(byte)));
    else if (win1250_)
        character(decodeWin1250(QByteArray(1, static_cast<char>(byte))).at(0));
    else
        character(QChar(char16_t(byte)));
}

void RtfReader::character(QChar c)
{
    if (skipping())
        return;
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
    }
    if (c.unicode() < 0x20 && c != u'\t')
        return;
    switch (state_.destination) {
    case Destination::Text:
        pending_ += c;
        break;
    case Destination::FontTable:
        if (c == u';') {
            fonts_.insert(fontNumber_, fontName_.trimmed());
            fontName_.clear();
        } else {
            fontName_ += c;
        }
        break;
    case Destination::ColourTable:
        // The entry ends here; one without components is the default colour.
        if (c == u';') {
            colours_ << (rgbSeen_ ? QColor(rgb_[0], rgb_[1], rgb_[2]) : QColor());
            rgbSeen_ = false;
            std::fill(std::begin(rgb_), std::end(rgb_), 0);
        }
        break;
    case Destination::Skip:
        break;
    }
}

void RtfReader::flush()
{
    if (pending_.isEmpty())
        return;
    cursor_.insertText(pending_, charFormat());
    pending_.clear();
}

// A paragraph takes the paragraph settings in force at its end.
void RtfReader::endParagraph()
{
    cursor_.setBlockFormat(blockFormat());
    cursor_.insertBlock(QTextBlockFormat(), charFormat());
}

void RtfReader::finish()
{
    flush();
    cursor_.setBlockFormat(blockFormat());
    done_ = true;
}

QTextCharFormat RtfReader::charFormat() const
{
    const CharState &c = state_.chars;
    QTextCharFormat format;
    format.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(c.italic);
    format.setFontUnderline(c.underline);
    format.setFontPointSize(c.halfPoints / 2.0);
    const QString family = fonts_.value(c.font < 0 ? defaultFont_ : c.font);
    if (!family.isEmpty())
        format.setFontFamilies({family});
    if (c.colour >= 0 && c.colour < colours_.size() && colours_[c.colour].isValid())
        format.setForeground(colours_[c.colour]);
    return format;
}

QTextBlockFormat RtfReader::blockFormat() const
{
    const ParaState &p = state_.para;
    QTextBlockFormat format;
    format.setAlignment(p.alignment);
    format.setLeftMargin(p.left / kTwipsPerPixel);
    format.setTextIndent(p.first / kTwipsPerPixel);
    format.setRightMargin(p.right / kTwipsPerPixel);
    format.setTopMargin(p.before / kTwipsPerPixel);
    format.setBottomMargin(p.after / kTwipsPerPixel);
    // A hanging first line has a tab stop where the other lines begin, so
    // "bullet, tab, text" lines up the text of every line. Qt measures tab
    // stops from the start of the line, which the first line's indent moves.
    if (p.first < 0)
        format.setTabPositions({QTextOption::Tab(-p.first / kTwipsPerPixel, QTextOption::LeftTab)});
    return format;
}

} // namespace

QStringList readRtf(const QByteArray &rtf, QTextDocument &document)
{
    if (!rtf.startsWith("{\\rtf")) {
        document.setPlainText(decodeWin1250(rtf));
        return {};
    }
    return RtfReader(rtf, document).read();
}
