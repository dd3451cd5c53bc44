#include "StartHint.h"

#include <QEvent>
#include <QKeySequence>

StartHint::StartHint(QWidget* area) : QLabel(area)
{
    const auto key = [](QKeySequence::StandardKey key) {
        return QKeySequence(key).toString(QKeySequence::NativeText);
    };
    setText(QStringLiteral("Open a roster page (%1) or start a new team (%2).")
                .arg(key(QKeySequence::Open), key(QKeySequence::New)));
    setObjectName(QStringLiteral("StartHint"));
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, colors.color(QPalette::Disabled, QPalette::WindowText));
    setPalette(colors);
    setGeometry(area->rect());
    area->installEventFilter(this);
}

bool StartHint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        setGeometry(static_cast<QWidget*>(watched)->rect());
    return QLabel::eventFilter(watched, event);
}
