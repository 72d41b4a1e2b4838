#include "app/CEditorApp.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    tarvix::CEditorApp editor;
    return editor.Run(QApplication::arguments().mid(1));
}
