#pragma once

#include <QString>

#include <string>

#include "runtime/desktop.h"

class QMimeData;

namespace vellumar {

// Puts a password on the system clipboard (passwordMimeData).
void setClipboardPassword(const QString& text);

// From now on, any text the program puts on the clipboard or the selection
// (a field's Copy, Ctrl+C, a mouse selection) is replaced at once by
// passwordMimeData of the same text, so that it leaves marked as a secret.
void markCopiesAsSecret();

// While the program still owns the clipboard, keeps its text there, with its
// secret marks, after the program has gone: on X11 and on Wayland compositors
// with a data-control protocol through an owner process; on other Wayland
// compositors (which keep a copy of their own once they have read it) by
// staying until the compositor has read it, at most kCompositorReadLimitMs
// (reads are counted only once markCopiesAsSecret has been called).
void keepClipboardAfterExit();
inline constexpr int kCompositorReadLimitMs = 500;

// The clipboard contents for a password: plain text, marked as a secret so
// that clipboard managers keep it out of their history.
QMimeData* passwordMimeData(const QString& text);

// The internal command-line switch that turns the program into a clipboard
// owner process (see clipboard_owner.cpp); the Qt platform name follows it.
inline constexpr char kClipboardOwnerSwitch[] = "--internal-clipboard-owner";

// Runs the clipboard owner: reads the text from standard input, owns the
// clipboard with it, reports "1" on standard output once it does, and exits
// when another program takes the clipboard over. Returns the exit code.
int runClipboardOwner(int argc, char** argv);

// The owner on Wayland, over the compositor's data-control protocol
// (ext-data-control-v1 or wlroots' zwlr_data_control_manager_v1); 1 at once
// where the compositor offers neither.
int runWaylandClipboardOwner(const std::string& text);

// Hands the text to a new clipboard owner process for the Qt platform
// (xcb or wayland) and waits until it owns the clipboard. False when that
// could not be done (no helper, no data-control protocol).
bool handTextToClipboardOwner(const QString& text, const QString& platform);

// The clipboard half of the system's desktop, the same on every system:
// setClipboardPassword and keepClipboardAfterExit.
class ClipboardDesktop : public Desktop {
public:
    void setClipboardText(const std::string& text) override;
    void keepClipboardAfterExit() override;
};

}  // namespace vellumar
