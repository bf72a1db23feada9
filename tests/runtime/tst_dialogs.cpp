// Message boxes and the Save dialog over Qt.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "runtime/dialogs.h"

using namespace vellumar;

namespace {
// Runs check on the modal box or dialog once it is open; it then closes it.
template <class Modal>
void whenOpen(std::function<void(Modal*)> check)
{
    QTimer::singleShot(0, [check = std::move(check)] {
        Modal* modal = nullptr;
        QTRY_VERIFY((modal = qobject_cast<Modal*>(QApplication::activeModalWidget())));
        check(modal);
    });
}
}  // namespace

class TstDialogs : public QObject {
    Q_OBJECT
private slots:
    void messageBoxes_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<int>("key");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("OK by Esc") << false << int(Qt::Key_Escape) << MessageAnswer::Ok;
        QTest::newRow("Yes by Enter") << true << int(Qt::Key_Return) << MessageAnswer::Yes;
        QTest::newRow("Cancel by Esc") << true << int(Qt::Key_Escape) << MessageAnswer::Cancel;
        QTest::newRow("No clicked") << true << int(Qt::Key_N) << MessageAnswer::No;
    }
    void messageBoxes()
    {
        QFETCH(bool, question);
        QFETCH(int, key);
        QFETCH(MessageAnswer, answer);
        QtDialogs dialogs(QStringLiteral("Vellumar"));
        QWidget owner;
        owner.show();
        QStringList seen;  // compared once the box has closed
        whenOpen<QMessageBox>([&](QMessageBox* box) {
            seen << box->windowTitle() << box->text() << QString::number(box->icon())
                 << QString::number(box->buttons().size()) << QString::number(box->parentWidget() == &owner);
            if (key == Qt::Key_N)
                box->button(QMessageBox::No)->click();
            else
                QTest::keyClick(box, Qt::Key(key));
        });
        QCOMPARE(dialogs.message(&owner, QStringLiteral("line one\r\nline two "),
                                 question ? MessageButtons::YesNoCancel : MessageButtons::Ok), answer);
        QCOMPARE(seen, (QStringList{"Vellumar", "line one\nline two ", "0", question ? "3" : "1", "1"}));
    }

    void saveDialogGivesThePathWithTheExtension()
    {
#ifdef Q_OS_WIN
        QSKIP("the system's own file dialog, driven by the real-window tests");
#endif
        QtDialogs dialogs(QStringLiteral("Vellumar"));
        QTemporaryDir folder;
        const SaveDialogSettings settings{folder.path() + QStringLiteral("/.txt"), QStringLiteral("txt"),
                                          QStringLiteral("Text File (*.txt)"), false};
        QStringList seen;  // compared once the dialog has closed
        whenOpen<QFileDialog>([&](QFileDialog* dialog) {
            seen << dialog->directory().absolutePath() << dialog->nameFilters()
                 << QString::number(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(QStringLiteral("list"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        const std::optional<SaveDialogResult> chosen = dialogs.askSaveFile(nullptr, settings);
        // Without a question of its own: the caller asks before a file is replaced.
        QCOMPARE(seen, (QStringList{QDir(folder.path()).absolutePath(), "Text File (*.txt)", "1"}));
        QCOMPARE(chosen.value_or(SaveDialogResult{}).path + '|' + chosen.value_or(SaveDialogResult{}).fileTitle,
                 folder.path() + QStringLiteral("/list.txt|list.txt"));

        whenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(!dialogs.askSaveFile(nullptr, settings));
    }
};

QTEST_MAIN(TstDialogs)
#include "tst_dialogs.moc"
