#include <windows.h>

#include <cstddef>

#include <gtest/gtest.h>

#include "verrin.h"

TEST(Exports, NineCallsResolveByPlainNameAndRecordsKeepTheirLayout) {
    HMODULE library = LoadLibraryA("verrin.dll");
    ASSERT_NE(library, nullptr);
    for (const char* name : {"SelectProtocol", "start_gprs_server", "do_read_proc", "get_max_user_amount",
                             "get_user_at", "do_send_user_data", "do_close_one_user", "do_close_all_user",
                             "stop_gprs_server"})
        EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
    // The bound import must be the very function the plain name gives.
    EXPECT_EQ(reinterpret_cast<void*>(&stop_gprs_server),
              reinterpret_cast<void*>(GetProcAddress(library, "stop_gprs_server")));
    FreeLibrary(library);

    EXPECT_EQ(sizeof(TUserDataRecord), 1060u);
    EXPECT_EQ(offsetof(TUserDataRecord, Data), 32u);
    EXPECT_EQ(offsetof(TUserDataRecord, DataLength), 1056u);
    EXPECT_EQ(offsetof(TUserDataRecord, Kind), 1058u);
    EXPECT_EQ(sizeof(TUserInfoRecord), 68u);
    EXPECT_EQ(offsetof(TUserInfoRecord, MobileAddress), 20u);
    EXPECT_EQ(offsetof(TUserInfoRecord, LoginTime), 26u);
    EXPECT_EQ(offsetof(TUserInfoRecord, Status), 66u);
}
