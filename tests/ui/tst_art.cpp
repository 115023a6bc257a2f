// The pictures as a person sees them, on the screen this runs on (ctest runs
// it on an ordinary screen and on one of twice the density): the About
// window's forest strip is drawn from a picture of the screen's own density,
// pixel for pixel, and the NOTE line over the main window's art stays clear.
#include "tests/ui/gui_fixture.h"

#include <QLabel>

#include <cmath>

using vintrel::testing::Gui;
using namespace vintrel::ui;

namespace {

QImage rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(QRgb pixel)
{
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) + 0.0722 * linear(qBlue(pixel));
}

// How much lighter the background is than the text, as screen-contrast
// ratios are reckoned; below 1 the background is the darker.
double lighterBy(QRgb background, QRgb text)
{
    return (luminance(background) + 0.05) / (luminance(text) + 0.05);
}

QRect changedPixels(const QImage& a, const QImage& b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

class ArtTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Guards the dense run against an environment that did not take.
        QCOMPARE(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    }

    void cleanup() { vintrel::testing::ModalWatchdog::verifyNoneUnexpected(); }

    void aboutPictureFillsItsBoxAtTheScreensDensity()
    {
        Gui gui;
        gui.forms().about.Show();
        QWidget* about = gui.forms().about.loadedForm();
        auto* picture = about->findChild<QLabel*>(QStringLiteral("picIcon"));
        QVERIFY(picture);
        const qreal ratio = qApp->devicePixelRatio();
        const QPixmap pixmap = picture->pixmap();
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), picture->size());
        QCOMPARE(pixmap.size(), picture->size() * ratio);
        // Each of the screen's pixels in the box is one of the picture's.
        QCOMPARE(rgb(about->grab(picture->geometry()).toImage()), rgb(pixmap.toImage()));
    }

    // Orange text reads on the pale moon and on white, not where it crosses
    // the dark witch: there the letters break up against her outline. So
    // every pixel of the art behind the text, and just around it, must be
    // clearly the lighter: the moon's darker patches are 1.6 times lighter
    // than the orange, the witch's colour nearly 6 times darker.
    void noteLineStandsClearOfTheArt()
    {
        Gui gui;
        QWidget* client = gui.main().clientArea();
        auto* note = gui.control<QLabel>("lblREM");
        QWidget* picture = gui.control("Image2");
        QVERIFY(note && picture);
        const QImage withText = client->grab().toImage();
        const QString text = note->text();
        note->setText(QString());
        const QImage withoutText = client->grab().toImage();
        note->setText(text);

        // Where the letters are, from the pixels they change; then the
        // picture alone under them, without the controls around the line.
        const qreal ratio = qApp->devicePixelRatio();
        const QRect letters = changedPixels(rgb(withText), rgb(withoutText));
        const QRect label(note->geometry().topLeft() * ratio, note->size() * ratio);
        QVERIFY2(!letters.isEmpty() && label.contains(letters), "the NOTE line's letters are not where expected");
        const int margin = qRound(2 * ratio);
        const QImage art = rgb(picture->grab().toImage());
        const QRect band =
            letters.adjusted(-margin, -margin, margin, margin).translated(-picture->pos() * ratio) & art.rect();
        QVERIFY2(band.contains(letters.translated(-picture->pos() * ratio)), "the NOTE line reaches past the picture");

        const QRgb orange = note->palette().color(note->foregroundRole()).rgb();
        int dark = 0;
        QPoint first;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                if (lighterBy(art.pixel(x, y), orange) < 1.5 && dark++ == 0)
                    first = QPoint(x, y) / ratio + picture->pos();
        QVERIFY2(dark == 0, qPrintable(QStringLiteral("%1 dark pixels behind the NOTE line, the first at %2,%3")
                                            .arg(dark).arg(first.x()).arg(first.y())));
    }
};

VINTREL_GUI_TEST_MAIN(ArtTest)
#include "tst_art.moc"
