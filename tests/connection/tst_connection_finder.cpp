// The device page's listing against a finder that breaks its contract: more
// paths than the capacity, null paths, no array. This program defines the
// finder itself; it plays the library's own unless a test asks otherwise.
#include "connection_fixture.h"

#include <QtTest>

#include <dlfcn.h>

#include <vector>

namespace {

struct FinderAnswer {
    bool active = false;
    bool noArray = false;
    QStringList ids; // "" a null path
    int count = 0;
};

FinderAnswer s_answer;
std::vector<QByteArray> s_paths;
std::vector<char*> s_pointers;

} // namespace

extern "C" char** UsbFinderC_FindHidDevicesByDeviceId(const char* vid, const char* pid, int usagePage, int capacity,
                                                      int* count)
{
    using Finder = char** (*)(const char*, const char*, int, int, int*);
    static const auto library = reinterpret_cast<Finder>(dlsym(RTLD_NEXT, "UsbFinderC_FindHidDevicesByDeviceId"));
    if (!s_answer.active)
        return library(vid, pid, usagePage, capacity, count);
    s_paths.clear();
    s_pointers.clear();
    // The answer is given for one product id; the others find nothing.
    if (qstrcmp(pid, "0x7B04") != 0) {
        *count = 0;
        s_pointers.push_back(nullptr);
        return s_pointers.data();
    }
    s_paths.reserve(size_t(s_answer.ids.size()));
    for (const QString& id : qAsConst(s_answer.ids)) {
        s_paths.push_back(SimControl::devicePath(id));
        s_pointers.push_back(id.isEmpty() ? nullptr : s_paths.back().data());
    }
    s_pointers.push_back(nullptr);
    *count = s_answer.count;
    return s_answer.noArray ? nullptr : s_pointers.data();
}

class TestConnectionFinder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void brokenAnswers_data();
    void brokenAnswers();
};

void TestConnectionFinder::initTestCase()
{
    QVERIFY(PrepareProgramFolder());
    QVERIFY(SimWorld::Load(ConnectionWorld()));
}

void TestConnectionFinder::cleanup()
{
    s_answer = FinderAnswer();
}

void TestConnectionFinder::brokenAnswers_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("noArray");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("as promised") << QStringList{"r4", "r8"} << 2 << false << QStringList{"r4", "r8"};
    QTest::newRow("more than the capacity")
        << QStringList{"r4", "r8", "orca", "x9", "r4", "r8", "orca"} << 7 << false
        << QStringList{"r4", "r8", "orca", "x9", "r4"};
    QTest::newRow("null paths") << QStringList{"", "r4", "", "r8", ""} << 5 << false << QStringList{"r4", "r8"};
    QTest::newRow("null paths beyond the capacity")
        << QStringList{"r4", "", "", "", "", "", "x9"} << 7 << false << QStringList{"r4"};
    QTest::newRow("negative count") << QStringList{"r4"} << -3 << false << QStringList{};
    QTest::newRow("no array") << QStringList{"r4"} << 1 << true << QStringList{};
}

void TestConnectionFinder::brokenAnswers()
{
    QFETCH(QStringList, ids);
    QFETCH(int, count);
    QFETCH(bool, noArray);
    QFETCH(QStringList, listed);
    s_answer.active = true;
    s_answer.ids = ids;
    s_answer.count = count;
    s_answer.noArray = noArray;
    SetCurrentDevice(DeviceAllInfo());
    g_devicePageList.clear();

    EnumerateDevices(QStringLiteral("0x2FE5"), {"0x7A01", "0x7B01", "0x7B04", "0x7B08"});

    QStringList paths;
    for (const DeviceAllInfo& entry : qAsConst(g_devicePageList))
        paths << entry.path;
    QStringList expected;
    for (const QString& id : listed)
        expected << QString::fromUtf8(SimControl::devicePath(id));
    QCOMPARE(paths, expected);
}

QTEST_GUILESS_MAIN(TestConnectionFinder)
#include "tst_connection_finder.moc"
