#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <string_view>

namespace vellumar {

enum class MessageButtons { Ok, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// Modal message box titled with the application title, without an icon; the
// first button is the default and closing the box counts as Cancel. Lines of
// the prompt may be joined by CR LF. The box belongs to the window whose
// handler shows it (owner), so the focus goes back there when it closes.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer show(QWidget* owner, const QString& prompt,
                               MessageButtons buttons = MessageButtons::Ok) = 0;
};

// Shows a UTF-8 message from toolkit-free code with an OK button.
inline void showUtf8(MessageBox& box, QWidget* owner, std::string_view text)
{
    box.show(owner, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// Activates a window again when it goes out of scope: after a modal box or
// dialog over that window has closed.
class ReturnFocus {
public:
    explicit ReturnFocus(QWidget* window) : window_(window) {}
    ~ReturnFocus();
    ReturnFocus(const ReturnFocus&) = delete;
    ReturnFocus& operator=(const ReturnFocus&) = delete;

private:
    QPointer<QWidget> window_;
};

class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QString title) : title_(std::move(title)) {}
    MessageAnswer show(QWidget* owner, const QString& prompt, MessageButtons buttons) override;

private:
    QString title_;
};

}  // namespace vellumar
