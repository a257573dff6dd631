#pragma once
// The window registry: one instance per window class, created on first
// reference. Referring to a window that is not loaded creates it and runs its
// Form_Load handler; the instance is registered before Form_Load runs, so a
// window referred to during its own load is not created a second time.
// Windows set Qt::WA_DeleteOnClose, so closing one unloads it; the registry
// forgets a window as soon as it is destroyed.

#include <QPointer>
#include <QWidget>

namespace plotdesk::toolkit {

template <class W>
class Forms {
public:
    // The loaded window, loading it first when needed.
    static W& get() {
        if (W* window = slot().data()) return *window;
        W* window = new W();
        slot() = window;
        window->Form_Load();
        return *window;
    }

    // The loaded window, or nullptr; never creates one.
    static W* loaded() { return slot().data(); }

    // Closes and deletes the window if it is loaded.
    static void unload() {
        QPointer<W> window = slot();
        slot().clear();
        if (window) window->close();
        if (window) delete window.data();
    }

private:
    // QPointer clears itself when the window is destroyed.
    static QPointer<W>& slot() {
        static QPointer<W> instance;
        return instance;
    }
};

}  // namespace plotdesk::toolkit
