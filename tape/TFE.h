#pragma once
#include "app/AppContext.h"

#include <QWidget>

// Tape64 Frontend
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(const AppContext& context, QWidget* parent = nullptr);
    // Writes the English texts over the Polish design texts (never undone).
    void applyEnglish();
private:
    AppContext ctx_;
};
