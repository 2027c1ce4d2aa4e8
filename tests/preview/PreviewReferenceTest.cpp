// The Koala decoding against a rendering made by another program (with a slightly different
// palette), our PNG files as another PNG reader sees them, and the preview pane's picture.
#include "app/PreviewPane.h"
#include "core/TapeDocument.h"
#include "gui/Language.h"
#include "preview/PngWriter.h"
#include "preview/Preview.h"
#include "tests/support/TestFiles.h"

#include <QImage>
#include <QLabel>

#include <QtTest>
#include <climits>

using namespace vornix;

class PreviewReferenceTest : public QObject {
    Q_OBJECT
  private slots:
    void koalaAgreesWithTheReference();
    void paneShowsShortFliDataWithANote();
};

void PreviewReferenceTest::koalaAgreesWithTheReference() {
    const testfiles::Bytes kla = testfiles::readAll(VORNIX_TEST_DATA "/afterimage_frighthof83-yazoo.kla");
    const auto picture = decodePicture(0x6000, std::span(kla).subspan(2));
    QVERIFY(picture);
    QImage reference(VORNIX_TEST_DATA "/afterimage_frighthof83-yazoo.reference.png");
    QCOMPARE(reference.size(), QSize(320, 200));
    reference = reference.convertToFormat(QImage::Format_RGB32);

    // Each reference pixel taken as the nearest colour of our palette.
    const auto& palette = c64Palette();
    int agree = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            const QRgb px = reference.pixel(x, y);
            int best = 0, bestDistance = INT_MAX;
            for (int c = 0; c < 16; ++c) {
                const int dr = qRed(px) - palette[c].r, dg = qGreen(px) - palette[c].g,
                          db = qBlue(px) - palette[c].b;
                if (dr * dr + dg * dg + db * db < bestDistance) {
                    bestDistance = dr * dr + dg * dg + db * db;
                    best = c;
                }
            }
            agree += best == picture->at(x, y);
        }
    qInfo("%d of 64000 pixels agree", agree);
    QVERIFY2(agree >= 63936, qPrintable(QString("%1 of 64000 pixels agree").arg(agree))); // 99.9 %

    // Our PNG file, read back by Qt, holds exactly the palette colours.
    const testfiles::Bytes png = encodePng(320, 200, picture->rgb());
    QImage ours;
    QVERIFY(ours.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
    QCOMPARE(ours.size(), QSize(320, 200));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            const Rgb& c = palette[picture->at(x, y)];
            QCOMPARE(ours.pixel(x, y), qRgb(c.r, c.g, c.b));
        }
}

// FLI data that stops short of the end of the bitmap is still shown, the title saying what
// is missing; the video chip's first columns are light grey where bit pair 01 is drawn.
void PreviewReferenceTest::paneShowsShortFliDataWithANote() {
    testfiles::Bytes prg(2 + 0x7E00 - 0x3B00, 0);
    prg[1] = 0x3B;
    prg[2 + 0x6000 - 0x3B00 + 320] = 0b01010101; // row 1, column 0, pixel line 0
    TapeDocument doc;
    doc.newImage();
    QVERIFY(doc.addProgram("short", "SHORT", prg).added);
    PreviewPane pane;
    pane.setLanguage(vornix::gui::Language::English);
    pane.showEntry(&doc.entries()[0]);
    QCOMPARE(pane.kind(), PreviewKind::Picture);
    auto* title = pane.findChild<QLabel*>("PreviewTitle");
    QVERIFY(title);
    QCOMPARE(title->text(),
             QStringLiteral("FLI picture \u2014 the picture data ends at $7DFF, 320 bytes before "
                            "the end of the bitmap; they are drawn as 0"));
    const QImage shown = pane.findChild<QLabel*>("PreviewPicture")->pixmap().toImage();
    const Rgb& grey = c64Palette()[15];
    QCOMPARE(shown.pixel(2 * 3, 2 * 8), qRgb(grey.r, grey.g, grey.b));
}

QTEST_MAIN(PreviewReferenceTest)
#include "PreviewReferenceTest.moc"
