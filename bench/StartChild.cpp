// The child processes whose start the benchmark times, from process start to the first
// paint of a window and then out:
//   tarvix-bench-child trivial                 a Qt dialog with a label and an edit
//   tarvix-bench-child tarvix [FILE [BUTTON]]  Tarvix as it starts, with FILE loaded and
//                                              the editor of BUTTON opened and painted

#include "app/CEditorApp.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace {

// Watches the first paint of each window: the main window's opens the editor asked for,
// an editor's closes it again, and the last closes the main window.
class FirstPaints : public QObject {
public:
    explicit FirstPaints(QString button) : m_button(std::move(button)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Paint || !dialog || !dialog->isWindow() || !m_painted.insert(dialog).second)
            return false;
        if (!m_main) {
            m_main = dialog;
            QTimer::singleShot(0, dialog, [this] {
                if (auto* b = m_button.isEmpty() ? nullptr : m_main->findChild<QPushButton*>(m_button)) b->click();
                else m_main->done(0);
            });
        } else {
            QTimer::singleShot(0, dialog, [this, dialog] {
                dialog->done(0);
                QTimer::singleShot(0, m_main, [this] { m_main->done(0); });
            });
        }
        return false;
    }

private:
    QString m_button;
    QDialog* m_main = nullptr;
    std::set<QObject*> m_painted;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStringList args = QApplication::arguments().mid(1);
    FirstPaints watcher(args.value(2));
    app.installEventFilter(&watcher);

    if (args.value(0) == QLatin1String("trivial")) {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel(QStringLiteral("Name")));
        layout->addWidget(new QLineEdit);
        return dialog.exec();
    }
    QTemporaryDir settings;
    tarvix::CEditorApp editor(settings.path(), settings.path());
    return editor.Run(args.mid(1, 1));
}
