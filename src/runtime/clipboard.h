#pragma once

#include <QString>

class QMimeData;

namespace vellumar {

// Puts a password on the system clipboard (passwordMimeData).
void setClipboardPassword(const QString& text);

// While the program still owns the clipboard, keeps its text there after the
// program has gone (on X11 through an owner process).
void keepClipboardAfterExit();

// The clipboard contents for a password: plain text, marked as a secret so
// that clipboard managers keep it out of their history.
QMimeData* passwordMimeData(const QString& text);

// The internal command-line switch that turns the program into a clipboard
// owner process (see clipboard_owner.cpp).
inline constexpr char kClipboardOwnerSwitch[] = "--internal-clipboard-owner";

// Runs the clipboard owner: reads the text from standard input, owns the
// clipboard with it, reports "1" on standard output once it does, and exits
// when another program takes the clipboard over. Returns the exit code.
int runClipboardOwner(int argc, char** argv);

// Hands the text to a new clipboard owner process and waits until it owns
// the clipboard. False when that could not be done (no X11, no helper).
bool handTextToClipboardOwner(const QString& text);

// Whether a clipboard manager runs on this X11 display (it then copies the
// clipboard from a program that ends, and no owner process is needed).
bool clipboardManagerRunning();

}  // namespace vellumar
