#pragma once

#include <QStringList>

class QIODevice;
class QTextStream;

// `brevik glyphs`: a dot-matrix table written without a window, for build scripts, byte for
// byte as the 字模 window saves it.

// Runs the command on the offscreen platform (unless QT_QPA_PLATFORM names another) and returns
// the program's exit status.
int glyphs_main(int argc, char* argv[]);

// Reads `arguments` (the program's name first, then the options that follow "glyphs") and writes
// the table to the file of -o, or else to `out`. Needs a QGuiApplication for the fonts. Returns
// 0; 2 after an option that is unknown or has a wrong value, which `err` names with the valid
// ones; 1 when the file cannot be written. Nothing is written unless the whole table is.
int run_glyphs_command(const QStringList& arguments, QIODevice& out, QTextStream& err);
