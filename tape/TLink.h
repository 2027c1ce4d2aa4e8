#pragma once
#include "app/AppContext.h"

#include <QWidget>

// TAP Linker
class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(const AppContext& context, QWidget* parent = nullptr);

private:
    AppContext ctx_;
};
