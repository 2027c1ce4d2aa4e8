#include "convert/PictureCommands.h"

void koalaToPrgCommand(const AppContext&, QWidget*, const CompressionOptions&) {}
void fliToPrgCommand(const AppContext&, QWidget*, FileDialogSpec&, const CompressionOptions&) {}
