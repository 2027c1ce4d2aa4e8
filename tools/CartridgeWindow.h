#pragma once
#include "app/AppContext.h"

#include <QWidget>

// Cartconv GUI
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(const AppContext& context, QWidget* parent = nullptr);
    // Writes the Polish texts over the English design texts (never undone).
    void applyPolish();
private:
    AppContext ctx_;
};
