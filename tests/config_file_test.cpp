#include <gtest/gtest.h>

#include "model/config_file.h"
#include "model/session_state.h"
#include "test_support.h"

TEST(ConfigRecord, DefaultsAreTheDocumentedBytes)
{
    Bytes expected = {0x00, 0x05, 0x07, 0x1C, 0x1C, 0x01, 0x01, 0x05, 0x00, 0x00};
    expected.resize(83, 0x00);
    expected.insert(expected.end(), {0x01, 0x00, 0x00});
    EXPECT_EQ(DefaultConfigBytes(), expected);
}
