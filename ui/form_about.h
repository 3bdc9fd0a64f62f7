#pragma once

#include <QWidget>

namespace sorvane::qt {

// Names the tool and what it is for. Opened modeless with no owner; it deletes
// itself when closed, so the next opening starts afresh.
class Form_About : public QWidget {
    Q_OBJECT

public:
    explicit Form_About(QWidget* parent = nullptr);
};

}  // namespace sorvane::qt
