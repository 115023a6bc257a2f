// Pictures on the way to the first paint: what the build packs comes back
// pixel for pixel, damaged data gives a null picture instead of a crash,
// every picture the windows name can be found, and the menu bar's overflow
// icon is only read when it is needed. Also the About window's forest
// strip: the photograph's corner, with a twin painted at twice the density.
#include "tests/ui/gui_fixture.h"
#include "ui/aux_windows/about_window.h"
#include "ui/aux_windows/help_window.h"
#include "ui/aux_windows/splash_window.h"
#include "ui/common/deferred_icon_style.h"
#include "ui/common/picture.h"
#include "ui/main_window/main_window.h"

#include <QFile>
#include <QMenuBar>
#include <QToolButton>
#include <QtTest>

using namespace vintrel::ui;

namespace {

QImage sample(bool alpha)
{
    QImage image(7, 5, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 36, y * 50, (x + y) * 20, alpha ? x * 40 : 255));
    return image;
}

QByteArray withWord(QByteArray data, int offset, quint32 value)
{
    std::memcpy(data.data() + offset, &value, sizeof value);
    return data;
}

const ControlSpec& aboutPicture()
{
    for (const ControlSpec& row : aboutLayout())
        if (row.kind == Kind::ClippedPicture)
            return row;
    qFatal("the About window has no picture");
}

QImage rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// Each 2 x 2 block averaged into one pixel: a double-density picture as a
// screen of ordinary density would show it.
QImage halved(const QImage& image)
{
    const QImage in = rgb(image);
    QImage out(in.width() / 2, in.height() / 2, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                const QRgb c = in.pixel(2 * x + p.x(), 2 * y + p.y());
                r += qRed(c), g += qGreen(c), b += qBlue(c);
            }
            out.setPixel(x, y, qRgb((r + 2) / 4, (g + 2) / 4, (b + 2) / 4));
        }
    return out;
}

// What neither a row's nor a column's trend explains, per pixel and colour
// channel: the grain and edges a picture of half the density cannot hold.
double fineDetail(const QImage& image)
{
    const QImage in = rgb(image);
    double sum = 0;
    for (int y = 0; y + 1 < in.height(); ++y)
        for (int x = 0; x + 1 < in.width(); ++x) {
            const QRgb a = in.pixel(x, y), b = in.pixel(x + 1, y), c = in.pixel(x, y + 1),
                       d = in.pixel(x + 1, y + 1);
            for (int shift : {16, 8, 0}) {
                const auto channel = [shift](QRgb pixel) { return int(pixel >> shift & 0xff); };
                sum += std::abs(channel(a) - channel(b) - channel(c) + channel(d));
            }
        }
    return sum / (3.0 * (in.width() - 1) * (in.height() - 1));
}

// Mean difference per colour channel of two pictures of one size.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage left = rgb(a), right = rgb(b);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y)
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y), q = right.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * left.width() * left.height());
}

}  // namespace

class PictureTest : public QObject {
    Q_OBJECT

private slots:
    // First of all: later tests read a JPEG, which loads the plugins anyway.
    void buildingAMenuBarLoadsNoImagePlugin()
    {
#ifndef Q_OS_LINUX
        QSKIP("reads the process's memory map");
#endif
        qApp->setStyle(new DeferredIconStyle);
        QWidget window;
        auto* bar = new QMenuBar(&window);
        bar->addMenu(QStringLiteral("File"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY2(!maps.readAll().contains("/imageformats/"), "an image-format plugin was loaded");
    }

    void theOverflowButtonStillShowsTheStylesIcon()
    {
        auto* style = new DeferredIconStyle;
        qApp->setStyle(style);
        QWidget window;
        window.resize(80, 60);
        auto* bar = new QMenuBar(&window);
        for (int i = 0; i < 5; ++i)
            bar->addMenu(QStringLiteral("A long menu %1").arg(i));
        bar->setGeometry(0, 0, 80, bar->sizeHint().height());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* overflow = bar->findChild<QToolButton*>();
        QVERIFY(overflow && overflow->isVisible());
        // Some Qt releases render a size of an icon afresh on first use and
        // scale later sizes from what they made before, so the style's own
        // icon is first asked for what the button drew.
        const QIcon reference = style->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        reference.pixmap(overflow->iconSize(), overflow->devicePixelRatioF());
        const QImage expected = reference.pixmap(16).toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(overflow->icon().pixmap(16).toImage(), expected);
    }

    void packedPicturesReadBackExactly_data()
    {
        QTest::addColumn<bool>("alpha");
        QTest::newRow("opaque") << false;
        QTest::newRow("with alpha") << true;
    }

    void packedPicturesReadBackExactly()
    {
        QFETCH(bool, alpha);
        const QImage original = sample(alpha);
        const QByteArray packed = packPicture(original);
        QCOMPARE(packed.size(), 16 + 7 * 5 * 4);
        const QImage back = unpackPicture(packed);
        QCOMPARE(back.size(), original.size());
        QCOMPARE(back.hasAlphaChannel(), alpha);
        QCOMPARE(back.convertToFormat(QImage::Format_ARGB32),
                 original.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                     .convertToFormat(QImage::Format_ARGB32));
    }

    void alignedPixelsAreUsedInPlace()
    {
        const QByteArray packed = packPicture(sample(false));
        const QImage back = unpackPicture(packed);
        QCOMPARE(static_cast<const void*>(back.constBits()),
                 static_cast<const void*>(packed.constData() + 16));
    }

    void misalignedPixelsAreCopied()
    {
        const QByteArray packed = packPicture(sample(true));
        const QByteArray shifted = QByteArray(1, '\0') + packed;
        const QImage back = unpackPicture(QByteArrayView(shifted).sliced(1));
        QCOMPARE(back, unpackPicture(packed));
        QVERIFY(back.constBits() != reinterpret_cast<const uchar*>(shifted.constData() + 17));
    }

    void damagedDataGivesANullPicture_data()
    {
        const QByteArray good = packPicture(sample(false));
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << good.left(16);
        QTest::newRow("short header") << good.left(9);
        QTest::newRow("one byte short") << good.chopped(1);
        QTest::newRow("one byte long") << good + '\0';
        QTest::newRow("wrong magic") << QByteArray("PNG!") + good.mid(4);
        QTest::newRow("unknown format") << withWord(good, 4, 3);
        QTest::newRow("zero width") << withWord(good, 8, 0);
        QTest::newRow("zero height") << withWord(good, 12, 0);
        // 2^32 / 4 wide would make width * 4 wrap to a small row length.
        QTest::newRow("wrapping width") << withWord(withWord(good, 8, 0x40000000u), 12, 1);
        QTest::newRow("huge sides") << withWord(withWord(good, 8, 100000), 12, 100000);
    }

    void damagedDataGivesANullPicture()
    {
        QFETCH(QByteArray, data);
        QVERIFY(unpackPicture(data).isNull());
    }

    void nullImagesAreNotPacked() { QVERIFY(packPicture(QImage()).isEmpty()); }

    void everyPictureTheWindowsNameIsThere()
    {
        for (const auto& table : {mainWindowLayout(), splashLayout(), aboutLayout(), helpLayout()})
            for (const ControlSpec& row : table) {
                if (row.kind != Kind::Picture && row.kind != Kind::ClippedPicture)
                    continue;
                const QPixmap pixmap = loadPicture(QString::fromLatin1(row.text), 1.0);
                QVERIFY2(!pixmap.isNull(), row.text);
                QCOMPARE(pixmap.devicePixelRatio(), 1.0);
            }
        for (int size : {32, 48, 64, 128, 256}) {
            const QPixmap icon = loadPicture(QStringLiteral(":/icons/vintrel-%1.vpix").arg(size), 1.0);
            QCOMPARE(icon.size(), QSize(size, size));
        }
    }

    // A stretched picture that is not already the size of its place would be
    // rescaled on every window's first paint, at the cost of time and memory.
    void stretchedPicturesArePackedAtTheSizeShown()
    {
        for (const auto& table : {mainWindowLayout(), splashLayout(), helpLayout()})
            for (const ControlSpec& row : table) {
                if (row.kind != Kind::Picture)
                    continue;
                const QSize shown = twipsRect(row).size();
                const QString path = QString::fromLatin1(row.text);
                QVERIFY2(path.endsWith(QLatin1String(".vpix")), row.text);
                QCOMPARE(loadPicture(path, 1.0).size(), shown);
                QCOMPARE(loadPicture(path, 2.0).size(), shown * 2);
            }
    }

    void denseScreensGetTheDoubleSizeTwin()
    {
        const QString path = QStringLiteral(":/images/ghost.vpix");
        const QPixmap normal = loadPicture(path, 1.0);
        const QPixmap dense = loadPicture(path, 2.0);
        QCOMPARE(dense.devicePixelRatio(), 2.0);
        QCOMPARE(dense.deviceIndependentSize().toSize(), normal.size());
        // Without a twin the ordinary picture serves every density.
        const QPixmap icon = loadPicture(QStringLiteral(":/icons/vintrel-32.vpix"), 2.0);
        QCOMPARE(icon.size(), QSize(32, 32));
    }

    // Only the corner of the forest photograph fits the About window's box,
    // so only that strip ships; it must be the very corner the whole
    // photograph showed there.
    void theAboutStripIsThePhotographsCorner()
    {
        const ControlSpec& row = aboutPicture();
        const QImage photograph(QFINDTESTDATA("../../resources/images/forest.jpg"));
        QVERIFY(!photograph.isNull());
        const QPixmap strip = loadPicture(QString::fromLatin1(row.text), 1.0);
        QCOMPARE(strip.devicePixelRatio(), 1.0);
        QCOMPARE(strip.size(), twipsRect(row).size());
        QCOMPARE(rgb(strip.toImage()), rgb(photograph.copy(QRect(QPoint(0, 0), strip.size()))));
    }

    // The dense twin must be the same corner of the scene, not a wider or
    // shifted view of it, and carry detail of its own rather than be the
    // ordinary strip enlarged.
    void theAboutStripsTwinShowsTheSameSceneInFinerDetail()
    {
        const ControlSpec& row = aboutPicture();
        const QString path = QString::fromLatin1(row.text);
        const QImage strip = loadPicture(path, 1.0).toImage();
        const QPixmap twin = loadPicture(path, 2.0);
        QCOMPARE(twin.devicePixelRatio(), 2.0);
        QCOMPARE(twin.size(), twipsRect(row).size() * 2);
        const QImage dense = twin.toImage();
        // The grain differs between the two, but the strip moved by a single
        // pixel is further off than the twin seen at the strip's density.
        const QSize size = strip.size() - QSize(1, 0);
        const double moved = meanDifference(strip.copy(QRect({1, 0}, size)), strip.copy(QRect({0, 0}, size)));
        QVERIFY2(meanDifference(halved(dense), strip) < moved,
                 "the twin shows another part of the scene than the strip");
        // The enlargements tried (nearest, Mitchell, Lanczos) have at most
        // 2.4 times the fine detail of the toolkit's smooth one; the twin,
        // painted at its density, has 3.4 times.
        const QImage enlarged = strip.scaled(dense.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(fineDetail(dense) > 2.8 * fineDetail(enlarged), "the twin is the strip enlarged");
    }

    void missingPicturesAreNull()
    {
        QVERIFY(loadPicture(QStringLiteral(":/images/no-such-picture.vpix"), 1.0).isNull());
    }
};

// The pictures are checked without the program's application set-up, so
// that each test installs the style it is about.
int main(int argc, char** argv)
{
    vintrel::testing::beforeApplication();
    QApplication app(argc, argv);
    PictureTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_picture.moc"
