// A whole number between two bounds, as QIntValidator takes it; what is
// still out of bounds when the typing ends gives way to the value in use.
#pragma once

#include <QIntValidator>
#include <functional>

class CVylBoundedIntValidator : public QIntValidator {
  public:
    CVylBoundedIntValidator(int bottom, int top, std::function<int()> inUse, QObject* parent)
        : QIntValidator(bottom, top, parent), m_inUse(std::move(inUse)) {}
    void fixup(QString& input) const override { input = QString::number(m_inUse()); }

  private:
    std::function<int()> m_inUse;
};
