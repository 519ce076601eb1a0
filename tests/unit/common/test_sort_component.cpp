// The sort component writing to a real log: its lines, the stop request and the result lists.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "common/SortVer4.h"
#include "log/LogVer4.h"

namespace {

class SortWithLog : public ::testing::Test {
protected:
    void SetUp() override {
        host = sbtest::OwnedWindow(sbtest::MakeWindow(sbtest::PlainClass(), L"host", WS_OVERLAPPEDWINDOW, nullptr));
        log = std::make_unique<TLogVer4>(host.get(), 100);
        log->xLevelValue(4);
        sort.Log().Log(log.get());
        sort.Log().LogName(L"ソート");
        sort.xMode(SiSortUpper | SiFilename | SiSortReal);
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> out;
        for (const auto& line : log->Core().Lines()) out.push_back(line.Text);
        return out;
    }
    sbtest::OwnedWindow host;
    std::unique_ptr<TLogVer4> log;
    TSortVer4 sort;
};

TEST_F(SortWithLog, SortsPathsByFileNameAndLogsEachStep) {
    const std::vector<std::wstring> target{L"C:\\b\\Plan10.dwg", L"C:\\a\\plan9.dwg", L"D:\\Plan1.dwg"};
    ASSERT_TRUE(sort.Execute(target));
    std::vector<std::wstring> answer{L"stale"};
    EXPECT_TRUE(sort.AnserGet(answer));
    EXPECT_EQ(answer, (std::vector<std::wstring>{L"D:\\Plan1.dwg", L"C:\\a\\plan9.dwg", L"C:\\b\\Plan10.dwg"}));
    EXPECT_EQ(target[0], L"C:\\b\\Plan10.dwg");
    const std::vector<std::wstring> texts = Texts();
    ASSERT_GE(texts.size(), 7u);
    EXPECT_EQ(texts.front(), L"ソート：ソート中･･･");
    EXPECT_EQ(texts[1], L"\x3000\x3000ソートデータの準備中");
    EXPECT_EQ(texts.back(), L"ソート：ソート完了");
    EXPECT_TRUE(sort.AnserFlag());
    sort.AnserClear();
    EXPECT_FALSE(sort.AnserFlag());
}

TEST_F(SortWithLog, DetailLevelHidesTheStepLines) {
    log->xLevelValue(0);
    ASSERT_TRUE(sort.Execute({L"b", L"a"}));
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"ソート：ソート中･･･"}));
}

TEST_F(SortWithLog, StopRequestFailsTheSort) {
    log->Breaking();
    EXPECT_FALSE(sort.Execute({L"b", L"a", L"c"}));
    for (const auto& t : Texts()) EXPECT_EQ(t.find(L"ソート完了"), std::wstring::npos) << t;
}

TEST_F(SortWithLog, UnknownSortTypeIsLogged) {
    sort.SortType(2);
    EXPECT_FALSE(sort.Execute({L"b", L"a"}));
    EXPECT_TRUE(log->EmergencyCheck());
    bool found = false;
    for (const auto& t : Texts()) found = found || t.find(L"存在しないソートタイプが選ばれています") != std::wstring::npos;
    EXPECT_TRUE(found);
}

TEST(SortDefaultsTest, NewComponentSortsUpperWithNumbersWithoutLog) {
    TSortVer4 sort;
    EXPECT_EQ(sort.xMode(), static_cast<TSortModeVer4>(SiSortUpper | SiSortReal));
    EXPECT_EQ(sort.SortType(), 0);
    ASSERT_TRUE(sort.Execute({L"x10", L"X9"}));  // no log attached: silent
    std::vector<std::wstring> answer;
    sort.AnserGet(answer);
    EXPECT_EQ(answer, (std::vector<std::wstring>{L"X9", L"x10"}));
}

}  // namespace
