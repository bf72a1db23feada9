#include "windows/window_instances.h"

#include <QEvent>

namespace vellumar {

void WindowInstances::define(const QString& name, Factory factory)
{
    factories_[name] = std::move(factory);
}

WindowInstances::~WindowInstances()
{
    for (const QPointer<QWidget>& window : made_)
        delete window.data();
}

QWidget* WindowInstances::find(const QString& name) const
{
    const auto it = open_.find(name);
    return it == open_.end() ? nullptr : it->second.data();
}

QWidget* WindowInstances::load(const QString& name)
{
    if (QWidget* existing = find(name))
        return existing;
    const auto factory = factories_.find(name);
    if (factory == factories_.end())
        return nullptr;
    QWidget* window = factory->second();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(this);
    open_[name] = window;
    std::erase_if(made_, [](const QPointer<QWidget>& made) { return made.isNull(); });
    made_.emplace_back(window);
    return window;
}

QWidget* WindowInstances::show(const QString& name)
{
    QWidget* window = load(name);
    if (!window)
        return nullptr;
    // An open window may be minimised (or hidden by the window manager):
    // bring it back as it was, in front and active.
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool WindowInstances::eventFilter(QObject* watched, QEvent* event)
{
    // A closed window is deleted later by Qt; forget it now so that a show
    // in the meantime makes a fresh one instead of reviving the old one.
    if (event->type() == QEvent::Close) {
        for (auto it = open_.begin(); it != open_.end(); ++it) {
            if (it->second == watched) {
                open_.erase(it);
                break;
            }
        }
    }
    return false;
}

}  // namespace vellumar
