#pragma once
#include "app/AppContext.h"

#include <QWidget>

// About Vornix
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(const AppContext& context, QWidget* parent = nullptr);

private:
    AppContext ctx_;
};
