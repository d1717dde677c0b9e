// A bare window with the same widgets as Quillon's, at the same places, and nothing behind
// them: no evaluator, no catalogue, no handlers. It is the yardstick that bench/startup.sh
// measures Quillon's start-up time and memory against.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

QLineEdit* makeBox(QWidget* parent, const QRect& geometry, const QFont& font) {
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setGeometry(geometry);
    edit->setFont(font);
    return edit;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    auto* client = new QWidget(&window);
    client->setFixedSize(319, 82);
    window.setCentralWidget(client);

    const QFont courier(QStringLiteral("Courier New"), 12, QFont::Bold);
    makeBox(client, {128, 0, 193, 19}, courier);
    auto* operation = new QComboBox(client);
    operation->setGeometry(0, 16, 129, 21);
    operation->setEditable(true);
    operation->setEditText(QStringLiteral("Choose Operation"));
    makeBox(client, {128, 16, 193, 19}, courier);
    makeBox(client, {0, 48, 321, 19}, courier);
    auto* button = new QPushButton(QStringLiteral("Do It!"), client);
    button->setGeometry(0, 64, 321, 18);
    button->setFont(courier);
    auto* bar = new QFrame(client);
    bar->setGeometry(0, 38, 320, 4);

    QMenu* add = window.menuBar()->addMenu(QStringLiteral("Add Operations"));
    for (int i = 1; i <= 7; ++i) {
        add->addAction(QStringLiteral("Item %1").arg(i));
    }
    QMenu* number = window.menuBar()->addMenu(QStringLiteral("Number of Figures"));
    number->addAction(QStringLiteral("One Number"));
    number->addAction(QStringLiteral("Two Numbers"));
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return QApplication::exec();
}
