#include "platform/qt/QtDesktopOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QObject>

#include <gtest/gtest.h>

namespace {

// Receives what would go to the desktop's handler.
class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void Catch(const QUrl& url) { caught.append(url); }

public:
    QList<QUrl> caught;
};

}  // namespace

TEST(QtDesktopOpener, TargetsBecomeFileOrWebAddresses) {
    EXPECT_EQ(DesktopUrl("/data/Scan/movie.avi"), QUrl("file:///data/Scan/movie.avi"));
    EXPECT_EQ(DesktopUrl("/data/My Scan/a#b.avi").toLocalFile(), "/data/My Scan/a#b.avi");
    EXPECT_EQ(DesktopUrl("https://example.org/pexora"), QUrl("https://example.org/pexora"));
    EXPECT_EQ(DesktopUrl("mailto:support@example.org").scheme(), "mailto");
    EXPECT_EQ(DesktopUrl("manual.html").toLocalFile(), QDir::current().absoluteFilePath("manual.html"));
}

TEST(QtDesktopOpener, OpenHandsTheAddressToTheDesktop) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Catch");
    QDesktopServices::setUrlHandler("https", &catcher, "Catch");
    QtDesktopOpener opener;
    EXPECT_TRUE(opener.Open("/tmp/pexora.html"));
    EXPECT_TRUE(opener.Open("https://example.org/"));
    EXPECT_FALSE(opener.Open(""));
    QDesktopServices::unsetUrlHandler("file");
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(catcher.caught.size(), 2);
    EXPECT_EQ(catcher.caught[0], QUrl::fromLocalFile("/tmp/pexora.html"));
    EXPECT_EQ(catcher.caught[1], QUrl("https://example.org/"));
}

#include "QtDesktopOpener_test.moc"
