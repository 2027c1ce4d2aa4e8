#pragma once
#include "app/AppContext.h"

#include <QWidget>

// PUCrunch GUI
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(const AppContext& context, QWidget* parent = nullptr);
    // Writes the Polish texts over the English design texts (never undone).
    void applyPolish();
    // The converters' unattended run: input P, output P + "1", optional fast decompressor,
    // Run, then Exit. Returns after the compressor has exited.
    void runUnattended(const QString& path, bool fastDecompressor);
private:
    AppContext ctx_;
};
