#pragma once

#include "ratingsheet.h"

#include <QWidget>

class BodyTypeForm : public QWidget
{
    Q_OBJECT

public:
    explicit BodyTypeForm(QWidget *parent = nullptr);

    const RatingSheet &sheet() const { return m_sheet; }

private:
    RatingSheet m_sheet;
};
