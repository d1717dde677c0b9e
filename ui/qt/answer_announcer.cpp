#include "answer_announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace quillon {

namespace {

QAccessibleInterface* forAnnouncer(const QString&, QObject* object) {
    // The announcer declares no meta-object of its own, so it is known by its C++ type.
    if (auto* announcer = dynamic_cast<AnswerAnnouncer*>(object)) {
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    }
    return nullptr;
}

}  // namespace

AnswerAnnouncer::AnswerAnnouncer(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(forAnnouncer);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void AnswerAnnouncer::announce(const QString& text) {
    setAccessibleName(text);
    // A screen reader speaks a notification when it starts to show.
    hide();
    show();
}

}  // namespace quillon
