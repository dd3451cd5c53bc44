#pragma once

#include <QValidator>

// Accepts a whole number that fits a 32-bit count: digits with an optional
// leading minus. An empty text is accepted (an empty player slot shows no
// numbers); a lone minus is a number still being typed.
class WholeNumberValidator : public QValidator
{
    Q_OBJECT
public:
    explicit WholeNumberValidator(QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
};
