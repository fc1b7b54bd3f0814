#include "render/LoadPicture.h"

#include <sys/stat.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LoadPicture, APipeOrAFolderNamedLikeAPictureIsRefusedWithoutWaiting) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string pipe = (dir.path() + "/back.bmp").toStdString();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);  // nobody writes into it: reading must not wait
    EXPECT_FALSE(LoadPicture(pipe).has_value());
    EXPECT_FALSE(LoadPicture(dir.path().toStdString()).has_value());
}
