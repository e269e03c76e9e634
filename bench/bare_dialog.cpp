// The yardstick for start-up: a bare Qt 6 dialog with the same eight widgets
// as Tarvel's, and nothing else.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare"));
    dialog.setFixedSize(300, 200);
    new QLabel(QStringLiteral("High byte ------ Low byte"), &dialog);
    for (int k = 0; k < 3; ++k)
        (new QLineEdit(&dialog))->move(10, 30 + 40 * k);
    for (int k = 0; k < 4; ++k)
        (new QPushButton(QStringLiteral("Button"), &dialog))->move(150, 20 + 40 * k);
    return dialog.exec();
}
