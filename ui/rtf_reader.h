#pragma once

#include <QByteArray>
#include <QStringList>

class QTextDocument;

// Reads the rich text of the help documents into a QTextDocument, replacing
// its content. It knows what the manuals use: groups, paragraphs and line
// breaks, tabs, bold, italic, underline, font sizes, the font and colour
// tables, alignment, indents and paragraph spacing, \'hh in the document's
// code page (Windows-1250 under \ansicpg1250, Latin-1 otherwise), \uN with
// its fallback skipped, and a few typographic symbols. \* destinations,
// pictures, the style sheet and the document information are skipped.
//
// Any input is read to its end without failing: unbalanced braces, a cut-off
// file and stray bytes just end or skip what they touch. A file that does not
// start with "{\rtf" is shown as plain Windows-1250 text.
//
// Returns the control words and symbols it did not know (each once, with its
// backslash, in order of appearance); they were ignored.
QStringList readRtf(const QByteArray &rtf, QTextDocument &document);
