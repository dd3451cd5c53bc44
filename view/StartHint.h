#pragma once

#include <QLabel>

// One line centred over an empty area, telling how to begin: it covers the
// area it is given and follows its size, and lets clicks and drops through.
class StartHint : public QLabel
{
    Q_OBJECT
public:
    explicit StartHint(QWidget* area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
