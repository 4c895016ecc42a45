#include "folderview/FolderEventQueue.h"

#include <gtest/gtest.h>

TEST(FolderEventQueue, ABurstInOneFolderBecomesOneChangeInArrivalOrder) {
    FolderEventQueue queue;
    for (int i = 0; i < 100; ++i)
        queue.Append("/p/a");
    queue.Append("/p/b");
    queue.Append("/p/a");
    queue.Append("/p");
    queue.Merge();
    EXPECT_EQ(queue.Size(), 3u);
    EXPECT_EQ(queue.TakeNext(), "/p/a");
    EXPECT_EQ(queue.TakeNext(), "/p/b");
    EXPECT_EQ(queue.TakeNext(), "/p");
    EXPECT_EQ(queue.TakeNext(), std::nullopt);
}
