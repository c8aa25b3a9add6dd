#include "platform/core/file_handle.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_dir.h"

TEST(FileHandle, OpensOnlyExistingFilesAndWritesFromTheStart)
{
    testsupport::TempDir dir;
    const std::string path = (dir / "log.txt").string();
    EXPECT_FALSE(core::FileHandle::forWriting(path));
    EXPECT_FALSE(core::FileHandle::forWriting(dir.path().string())) << "a folder is not writable";

    ASSERT_TRUE(core::writeAtomically(core::dataFromString("0123456789"), path));
    auto handle = core::FileHandle::forWriting(path);
    ASSERT_TRUE(handle);
    EXPECT_TRUE(handle->write(core::dataFromString("ab")));
    EXPECT_TRUE(handle->write(core::dataFromString("cd")));
    handle->close();
    EXPECT_FALSE(handle->write(core::dataFromString("x")));
    handle->close();
    EXPECT_EQ(core::readUTF8(path), "abcd456789");
}

TEST(FileHandle, WritesFromManyThreadsNeverInterleave)
{
    testsupport::TempDir dir;
    const std::string path = (dir / "log.txt").string();
    ASSERT_TRUE(core::writeAtomically({}, path));
    auto handle = core::FileHandle::forWriting(path);
    ASSERT_TRUE(handle);
    const std::string line(1000, 'x');
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            const core::Data data = core::dataFromString(std::string(1, char('a' + t)) + line + "\n");
            for (int i = 0; i < 50; ++i)
                EXPECT_TRUE(handle->write(data));
        });
    for (auto& thread : threads)
        thread.join();
    handle->close();

    const auto text = core::readUTF8(path);
    ASSERT_TRUE(text);
    ASSERT_EQ(text->size(), 8u * 50u * (line.size() + 2));
    for (std::size_t at = 0; at < text->size(); at += line.size() + 2)
        EXPECT_EQ(text->substr(at + 1, line.size() + 1), line + "\n");
}
