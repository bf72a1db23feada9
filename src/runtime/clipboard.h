#pragma once

#include <QString>

namespace vellumar {

// Puts text on the system clipboard as plain text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& text) = 0;
    // Like setText, for a program that is about to end: the text stays on the
    // clipboard after the program has gone.
    virtual void setTextBeforeExit(const QString& text) = 0;
};

class QtClipboard final : public Clipboard {
public:
    void setText(const QString& text) override;
    void setTextBeforeExit(const QString& text) override;
};

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

}  // namespace vellumar
