#include "app/CEditorApp.h"
#include "app/CommandLine.h"

#include <QApplication>
#include <QStyleFactory>

#include <iostream>

int main(int argc, char* argv[])
{
    // Before the QApplication, which would need a display.
    if (const std::optional<int> exitCode = tarvix::answerInfoOption(argc, argv, std::cout)) return *exitCode;
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    tarvix::CEditorApp editor;
    QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--")) arguments.removeFirst();
    return editor.Run(arguments);
}
