// Prints the MIME type the shared MIME database gives each file named on the command line,
// by name and content, one per line.
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QMimeDatabase db;
    for (int i = 1; i < argc; ++i)
        std::printf("%s\n", qPrintable(db.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
    return 0;
}
