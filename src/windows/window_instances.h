#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

namespace vellumar {

// Holds at most one instance of each of the program's windows, reached by
// name and made by its factory on first use. Closing a window unloads it: the
// next use makes it afresh from its design values. The windows it made and
// that still exist end with it, so that none outlives the services it uses
// (declared before this object).
class WindowInstances final : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*()>;

    ~WindowInstances() override;

    void define(const QString& name, Factory factory);

    // The open instance, or null.
    QWidget* find(const QString& name) const;
    template <class T>
    T* find(const QString& name) const { return qobject_cast<T*>(find(name)); }

    // Loads the window if needed and shows it, modeless; an open window is
    // only restored if minimised and brought to the front.
    QWidget* show(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Makes the window if it does not exist yet, without showing it.
    QWidget* load(const QString& name);

    std::map<QString, Factory> factories_;
    std::map<QString, QPointer<QWidget>> open_;
    // Every window made, also a closed one that Qt has yet to delete.
    std::vector<QPointer<QWidget>> made_;
};

}  // namespace vellumar
