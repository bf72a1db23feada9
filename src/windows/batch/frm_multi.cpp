#include "windows/batch/frm_multi.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <optional>

#include "runtime/clipboard.h"
#include "runtime/dialogs.h"
#include "runtime/file_service.h"
#include "runtime/whole_number.h"
#include "windows/controls.h"
#include "windows/design_scale.h"
#include "windows/main/frm_pass_create.h"
#include "windows/window_instances.h"

namespace vellumar {
namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// How long a batch collects passwords and adds them to the list before it
// shows them: about two frames, and at least kWorkPerShow times as long as
// its last showing took (laying out the lines in view, the whole of each
// however little of a long line is in view, and painting), so that showing
// stays a small share of the batch; but no longer than kShowAtLeastEveryMs,
// so that a long batch counts up and takes Esc several times a second.
constexpr qint64 kShowEveryMs = 33;
constexpr qint64 kWorkPerShow = 19;
constexpr qint64 kShowAtLeastEveryMs = 100;

// Shows the busy pointer over every window for as long as it lives.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Keeps the list from recording undo steps for as long as it lives, which
// also forgets the steps recorded before: a batch's list is not worth
// undoing step by step, recording it would cost as much as building it.
class UndoPaused {
public:
    explicit UndoPaused(QPlainTextEdit& list) : list_(list) { list_.setUndoRedoEnabled(false); }
    ~UndoPaused() { list_.setUndoRedoEnabled(true); }
    UndoPaused(const UndoPaused&) = delete;
    UndoPaused& operator=(const UndoPaused&) = delete;

private:
    QPlainTextEdit& list_;
};

// The controls' boxes in the design, in twips.
constexpr Placement kLayout[] = {
    {"lblNumber", 150, 225, 1890, 240},
    {"txtNumPass", 2175, 150, 540, 315},
    {"cmdGenerate", 3000, 75, 1140, 390},
    {"txtPasswords", 300, 600, 3765, 2040},
    {"cmdSave", 300, 2850, 1365, 315},
    {"cmdClose", 2700, 2850, 1365, 315},
};

}  // namespace

QMimeData* PasswordList::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    QString text = cursor.selection().toPlainText();
    // One whole line with its end, as a triple-click selects it, is one
    // password: pasted into a password field it must not bring an Enter.
    const QTextBlock block = document()->findBlock(cursor.selectionStart());
    if (cursor.selectionStart() == block.position() && cursor.selectionEnd() == block.position() + block.length())
        text.chop(1);
    text.replace(QLatin1Char('\n'), kLineEnd);
    return passwordMimeData(text);
}

void PasswordList::append(const QString& lines)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(lines);
}

void PasswordList::showEnd()
{
    // Follow the end, and draw it now: a short batch does not return to the
    // event loop until it has finished. That lays out only the lines in view.
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    repaint();
}

// Takes the program's input while a long batch runs: Esc, the batch window's
// Close button (click or Alt+C) and its close box stop the batch; every other
// key, click or close is dropped, so nothing is replayed after the batch and
// the options cannot change. Painting and the rest go on.
class frmMulti::BatchInput final : public QObject {
    Q_OBJECT
public:
    explicit BatchInput(frmMulti& window) : window_(window) { qApp->installEventFilter(this); }
    ~BatchInput() override { qApp->removeEventFilter(this); }
    BatchInput(const BatchInput&) = delete;
    BatchInput& operator=(const BatchInput&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (QApplication::activeModalWidget())
            return false;  // a message box of the generator takes its own input
        const bool toClose = watched == window_.cmdClose;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                window_.stopRequested_ = true;
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Shortcut:
            return !toClose;  // Close stops the batch (cmdClose_Click)
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        case QEvent::Close:
            if (!watched->isWidgetType() || !static_cast<QWidget*>(watched)->isWindow())
                return false;
            if (watched == &window_)
                window_.stopRequested_ = true;
            event->ignore();  // no window closes during a batch
            return true;
        default:
            return false;
        }
    }

private:
    frmMulti& window_;
};

frmMulti::frmMulti(Runtime& runtime, QWidget* parent)
    : QWidget(parent, fixedWindowFlags(Qt::Tool)),
      runtime_(runtime)
{
    setAccessibleRole(this, QAccessible::Dialog);
    setObjectName(QStringLiteral("frmMulti"));
    setWindowTitle(tr("Multiple Password Generator"));

    auto* lblNumber = makeLabel(this, "lblNumber", tr("Number of Passwords:"), Qt::AlignRight | Qt::AlignVCenter);
    txtNumPass = makeLineEdit(this, "txtNumPass", QStringLiteral("1"), Qt::AlignRight, runtime_.dialogs);
    txtNumPass->setAccessibleName(tr("Number of Passwords"));
    txtNumPass->setAccessibleDescription(tr("How many passwords Generate makes: a whole number from 0 to 32767."));
    lblNumber->setBuddy(txtNumPass);
    auto* cmdGenerate = makeButton(this, "cmdGenerate", tr("&Generate"));

    txtPasswords = new PasswordList(this);
    txtPasswords->setObjectName(QStringLiteral("txtPasswords"));
    txtPasswords->setAccessibleName(tr("Passwords"));
    txtPasswords->setAccessibleDescription(
        tr("One password per line, made with the main window's options; it can be edited and saved to a file."));
    txtPasswords->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtPasswords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtPasswords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, as in the other fields.
    txtPasswords->setTabChangesFocus(true);

    auto* cmdSave = makeButton(this, "cmdSave", tr("&Save To File ..."));
    cmdClose = makeButton(this, "cmdClose", tr("&Close"));
    const DesignScale scale = DesignScale::forFont(font());
    setFixedSize(scale.size(4305, 3285));
    placeControls(this, scale, kLayout);

    setTabOrderChain({txtNumPass, cmdSave, cmdGenerate, txtPasswords, cmdClose});
    txtNumPass->setFocus();

    connect(cmdGenerate, &QPushButton::clicked, this, &frmMulti::cmdGenerate_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmMulti::cmdSave_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmMulti::cmdClose_Click);
}

frmMulti::~frmMulti() = default;

void frmMulti::forEachListPiece(const std::function<void(QStringView)>& piece) const
{
    // The document keeps lines as blocks, and Shift+Enter puts line
    // separators inside one: both end a line. A block at a time, so that a
    // long list is never held whole a second time.
    const QTextDocument* document = txtPasswords->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin())
            piece(kLineEnd);
        const QString text = block.text();
        QStringView rest(text);
        for (qsizetype at; (at = rest.indexOf(QChar::LineSeparator)) >= 0; rest = rest.sliced(at + 1)) {
            piece(rest.first(at));
            piece(kLineEnd);
        }
        piece(rest);
    }
}

QString frmMulti::listText(const QString& end) const
{
    QString text;
    const QTextDocument* document = txtPasswords->document();
    text.reserve(document->characterCount() + document->blockCount() + end.size());
    forEachListPiece([&text](QStringView piece) { text += piece; });
    text += end;
    return text;
}

void frmMulti::cmdGenerate_Click()
{
    if (batchInput_)
        return;
    // A new batch replaces the list whatever the count turns out to be. A
    // long list takes a while to go; messages then come with the normal
    // pointer.
    const UndoPaused undoPaused(*txtPasswords);
    {
        const BusyPointer busy;
        txtPasswords->clear();
    }

    const std::optional<std::int16_t> count = parseWholeNumber(txtNumPass->text().toStdString());
    if (!count) {
        runtime_.dialogs.message(this, tr("The number of passwords must be a whole number from 0 to 32767."));
        return;
    }

    auto* main = runtime_.windows.find<frmPassCreate>(QStringLiteral("frmPassCreate"));
    if (!main || *count <= 0)
        return;

    // Refuse a list that would not fit before making any password. A length
    // the generator cannot read fails at the first password anyway.
    const std::int64_t listChars = std::int64_t{*count} * (main->passwordLength() + kLineEnd.size());
    if (listChars > kMaxListChars) {
        runtime_.dialogs.message(
            this, tr("The list would be too large: it can hold at most %L1 characters, line ends included. "
                     "Make fewer or shorter passwords.")
                      .arg(kMaxListChars));
        return;
    }

    const BusyPointer busy;
    runBatch(*main, *count);
}

void frmMulti::runBatch(frmPassCreate& main, int count)
{
    // Passwords are collected and shown every two frames or so (less often while
    // showing costs much), so that the list visibly grows while its building
    // stays linear in its length. Once the batch has run for a while, each
    // showing also lets the windows paint and takes the input that may stop it.
    const QString title = windowTitle();
    std::unique_ptr<BatchInput> input;
    stopRequested_ = false;
    QString pending;
    QElapsedTimer sinceStart;
    QElapsedTimer sinceShown;
    qint64 showAfterMs = kShowEveryMs;
    // What adding a character to the list took last time: collecting stops
    // early enough for adding them to fit in the interval as well (long
    // passwords take about as long to add as to make).
    double addMsPerChar = 0;
    sinceStart.start();
    sinceShown.start();
    for (int made = 0; made < count && !stopRequested_; ++made) {
        if (!main.GeneratePassword(pending, this))
            break;  // its message has been shown once; the options cannot change now
        pending += QChar(u'\n');
        if (made + 1 < count &&
            static_cast<double>(sinceShown.elapsed()) + static_cast<double>(pending.size()) * addMsPerChar <
                static_cast<double>(showAfterMs))
            continue;
        QElapsedTimer adding;
        adding.start();
        txtPasswords->append(pending);
        addMsPerChar = static_cast<double>(adding.nsecsElapsed()) / 1e6 / static_cast<double>(pending.size());
        pending.resize(0);  // keeps its memory for the next chunk
        QElapsedTimer showing;
        showing.start();
        txtPasswords->showEnd();
        if (!input && made + 1 < count && sinceStart.elapsed() >= kResponsiveAfterMs) {
            input = std::make_unique<BatchInput>(*this);
            batchInput_ = input.get();
        }
        if (input) {
            setWindowTitle(tr("%1 (%L2 of %L3)").arg(title).arg(made + 1).arg(count));
            QCoreApplication::processEvents();
        }
        showAfterMs = std::clamp(kWorkPerShow * showing.nsecsElapsed() / 1000000, kShowEveryMs, kShowAtLeastEveryMs);
        sinceShown.restart();
    }
    if (!pending.isEmpty()) {
        txtPasswords->append(pending);
        txtPasswords->showEnd();
    }
    if (input) {
        // What was pressed since the last showing is dropped too.
        QCoreApplication::processEvents();
        batchInput_ = nullptr;
        input.reset();
        setWindowTitle(title);
    }
}

QString frmMulti::saveFolder() const
{
    // An installed program's folder cannot be written: start in the user's
    // documents instead.
    const QString& programFolder = runtime_.app.programFolder;
    if (runtime_.files.canCreateIn(programFolder))
        return programFolder;
    return runtime_.files.documentsFolder();
}

void frmMulti::cmdSave_Click()
{
    for (;;) {
        SaveDialogSettings settings;
        settings.initialFileName = QDir::toNativeSeparators(saveFolder() + QStringLiteral("/.txt"));
        settings.defaultExtension = QStringLiteral("txt");
        settings.filter = QStringLiteral("Text File (*.txt)");
        settings.overwritePrompt = false;
        const std::optional<SaveDialogResult> chosen = runtime_.dialogs.askSaveFile(this, settings);
        if (!chosen)
            return;
        const QString shownPath = QDir::toNativeSeparators(chosen->path);

        switch (runtime_.files.kindAt(chosen->path)) {
        case PathKind::Folder:
            runtime_.dialogs.message(
                this, tr("%1 is a folder. The passwords were not saved.").arg(shownPath));
            return;
        case PathKind::File: {
            const MessageAnswer answer = runtime_.dialogs.message(
                this, QStringLiteral("Do you want to copy over this file and lose all data it contains?"),
                MessageButtons::YesNoCancel);
            if (answer == MessageAnswer::No)
                continue;  // ask again, from the start folder
            if (answer != MessageAnswer::Yes)
                return;
            break;
        }
        case PathKind::Nothing:
            break;
        }

        const QString reason = SavePasswords(chosen->path);
        if (!reason.isEmpty()) {
            runtime_.dialogs.message(this, tr("The passwords could not be saved to %1.\r\n%2")
                                          .arg(shownPath, reason));
        }
        return;
    }
}

QString frmMulti::SavePasswords(const QString& strSavePath)
{
    return runtime_.files.writeText(strSavePath, [this](const std::function<void(QStringView)>& piece) {
        forEachListPiece(piece);
        piece(kLineEnd);
    });
}

void frmMulti::cmdClose_Click()
{
    // During a long batch Close stops it; the list keeps what was made.
    if (batchInput_) {
        stopRequested_ = true;
        return;
    }
    close();
}

}  // namespace vellumar

#include "frm_multi.moc"
