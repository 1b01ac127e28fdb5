#include "sim/Device.h"
#include "sim/E2promFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <locale>
#include <map>
#include <sstream>
#include <unistd.h>

using namespace sim;

namespace {

std::vector<const char*> Args(std::initializer_list<const char*> list)
{
    std::vector<const char*> args{"duoclave-sim"};
    args.insert(args.end(), list);
    return args;
}

bool Parse(std::initializer_list<const char*> list, Options& options, std::string& error)
{
    auto args = Args(list);
    return ParseOptions(static_cast<int>(args.size()), args.data(), options, error);
}

struct TempDir {
    std::filesystem::path path;
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "duoclave-simtest-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path); }
};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(SimOptions, EveryOptionIsTaken)
{
    Options o;
    std::string error;
    ASSERT_TRUE(Parse({"--link", "/tmp/l", "--state", "s", "--trace", "t", "--control", "c", "--reg", "3=0x10",
                       "--reg", "127=65535", "--sync", "ramp:1:2", "--seed", "9", "--reply-delay", "150",
                       "--late-delay", "300", "--request-timeout", "50", "--baud", "19200", "--no-byte-time",
                       "--fault", "late", "--fault", "stray", "--stray-interval", "7"}, o, error)) << error;
    EXPECT_EQ(o.linkPath, "/tmp/l");
    EXPECT_EQ(o.statePath, "s");
    EXPECT_EQ(o.tracePath, "t");
    EXPECT_EQ(o.controlPath, "c");
    ASSERT_EQ(o.presets.size(), 2u);
    EXPECT_EQ(o.presets[0], (std::pair<std::uint8_t, std::uint16_t>{3, 16}));
    EXPECT_EQ(o.presets[1], (std::pair<std::uint8_t, std::uint16_t>{127, 65535}));
    EXPECT_EQ(o.sync, "ramp:1:2");
    EXPECT_EQ(o.seed, 9u);
    EXPECT_EQ(o.timing.replyDelayMs, 150u);
    EXPECT_EQ(o.timing.lateDelayMs, 300u);
    EXPECT_EQ(o.timing.requestTimeoutMs, 50u);
    EXPECT_EQ(o.baud, 19200u);
    EXPECT_FALSE(o.byteTime);
    EXPECT_EQ(o.faults.Describe(), "late,stray");
    EXPECT_EQ(o.strayIntervalMs, 7u);
}

TEST(SimOptions, BadCommandLinesAreRefusedWithAReason)
{
    for (auto bad : std::vector<std::vector<const char*>>{
             {"--link"}, {"--reg", "128=1"}, {"--reg", "1=65536"}, {"--reg", "1"}, {"--sync", "wobble"},
             {"--fault", "gremlins"}, {"--baud", "0"}, {"--reply-delay", "-1"}, {"--stray-interval", "0"},
             {"--frobnicate"}}) {
        Options o;
        std::string error;
        std::vector<const char*> args{"duoclave-sim"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_FALSE(ParseOptions(static_cast<int>(args.size()), args.data(), o, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(SimOptions, HelpNamesEveryOptionAndFault)
{
    const std::string help = HelpText();
    for (const char* word : {"--link", "--state", "--reg", "--sync", "--seed", "--reply-delay", "--baud",
                             "--no-byte-time", "--fault", "--late-delay", "--stray-interval", "--request-timeout",
                             "--trace", "--control", "--help", "silence", "no-high-byte", "refuse-writes", "no-ack",
                             "late", "stray", "fault on", "dump"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

// The words of a term of the help ("--reg N=V", "set N V") with a value for each placeholder,
// so that every documented form can be tried; "-h, --help" gives one list per spelling.
std::vector<std::vector<std::string>> Filled(const std::string& term, const std::filesystem::path& dir)
{
    static const std::map<std::string, std::string> examples{
        {"N=V", "3=4"}, {"N", "5"}, {"V", "6"}, {"MS", "5"}, {"MODE", "ramp:1:2"}, {"NAME", "stray"}};
    std::vector<std::vector<std::string>> spellings;
    std::istringstream alternatives(term);
    for (std::string alternative; std::getline(alternatives, alternative, ',');) {
        std::vector<std::string> words;
        std::istringstream in(alternative);
        for (std::string word; in >> word;) {
            const auto example = examples.find(word);
            words.push_back(word == "PATH" || word == "FILE" ? (dir / "x").string()
                            : example != examples.end()      ? example->second
                                                             : word);
        }
        spellings.push_back(words);
    }
    return spellings;
}

const help::Entry& OptionEntry(const std::string& name)
{
    for (const help::Entry& e : HelpPage().sections.at(0).entries)
        if (e.term.rfind(name + ' ', 0) == 0)
            return e;
    throw std::runtime_error("no option " + name);
}

TEST(SimOptions, EveryDocumentedOptionAndFaultIsUnderstood)
{
    TempDir dir;
    ASSERT_EQ(HelpPage().sections.at(0).title, "Options");
    for (const help::Entry& e : HelpPage().sections.at(0).entries) {
        for (const std::vector<std::string>& words : Filled(e.term, dir.path)) {
            std::vector<const char*> args{"duoclave-sim"};
            for (const std::string& w : words)
                args.push_back(w.c_str());
            Options o;
            std::string error;
            EXPECT_TRUE(ParseOptions(static_cast<int>(args.size()), args.data(), o, error)) << e.term << ": " << error;
        }
    }
    for (const help::Entry& fault : OptionEntry("--fault").items) {
        Options o;
        std::string error;
        EXPECT_TRUE(Parse({"--fault", fault.term.c_str()}, o, error)) << fault.term << ": " << error;
    }
}

TEST(SimDevice, EveryDocumentedControlCommandIsUnderstood)
{
    TempDir dir;
    Options o;
    Device device(o);
    ASSERT_FALSE(OptionEntry("--control").items.empty());
    for (const help::Entry& command : OptionEntry("--control").items) {
        std::string line;
        const std::vector<std::string> words = Filled(command.term, dir.path).at(0);
        for (const std::string& w : words)
            line += (line.empty() ? "" : " ") + w;
        std::string error;
        EXPECT_TRUE(device.Command(line, error)) << line << ": " << error;
    }
}

TEST(SimDevice, ControlCommandsChangeItsBehaviour)
{
    Options o;
    Device device(o);
    std::string error;
    EXPECT_TRUE(device.Command("fault on silence", error)) << error;
    EXPECT_TRUE(device.GetProtocol().Faults().Has(Fault::Silence));
    EXPECT_TRUE(device.Command("fault on late", error));
    EXPECT_TRUE(device.Command("fault off silence", error));
    EXPECT_EQ(device.GetProtocol().Faults().Describe(), "late");
    EXPECT_TRUE(device.Command("fault off all", error));
    EXPECT_TRUE(device.GetProtocol().Faults().Empty());
    EXPECT_TRUE(device.Command("set 9 0x55", error));
    EXPECT_EQ(device.GetRegisters().E2prom()[9], 0x55);
    EXPECT_TRUE(device.Command("reply-delay 150", error));
    EXPECT_EQ(device.GetProtocol().Timing().replyDelayMs, 150u);
    EXPECT_TRUE(device.Command("late-delay 400", error));
    EXPECT_EQ(device.GetProtocol().Timing().lateDelayMs, 400u);
    EXPECT_TRUE(device.Command("sync constant:7", error));
    EXPECT_EQ(device.GetRegisters().Read(SyncRegister, 0), 7);
    EXPECT_TRUE(device.Command("", error));

    for (const char* bad : {"fault maybe silence", "fault on gremlins", "set 200 1", "set 1", "reply-delay x",
                            "sync wobble", "dump", "explode", "set 1 2 3"}) {
        error.clear();
        EXPECT_FALSE(device.Command(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(SimDevice, DumpShowsBothCopiesAndTheCopyCount)
{
    TempDir dir;
    Options o;
    o.presets = {{4, 99}};
    Device device(o);
    device.GetRegisters().Write(4, 100);
    device.GetRegisters().Write(CopyToWorkingRegister, CopyCommand);
    device.GetRegisters().Write(4, 101);
    std::string error;
    ASSERT_TRUE(device.Command("dump " + (dir.path / "d").string(), error)) << error;
    const std::string dump = ReadFile(dir.path / "d");
    EXPECT_NE(dump.find("e2prom 4 101\n"), std::string::npos);
    EXPECT_NE(dump.find("working 4 100\n"), std::string::npos);
    EXPECT_NE(dump.find("copies 1\n"), std::string::npos);
    EXPECT_NE(dump.find("faults none\n"), std::string::npos);
    EXPECT_FALSE(device.Command("dump /nonexistent-dir/d", error));
}

TEST(SimE2promFile, KeepsTheValuesAndRefusesBrokenFiles)
{
    TempDir dir;
    const std::string path = (dir.path / "e2prom").string();
    E2promFile file(path);
    Registers::E2promValues values = Registers::DefaultE2prom();
    std::string error;
    EXPECT_TRUE(file.Load(values, error)) << "a missing file is no error";
    EXPECT_EQ(values, Registers::DefaultE2prom());
    values[20] = 249;
    values[0] = 0;
    ASSERT_TRUE(file.Save(values, error)) << error;
    Registers::E2promValues loaded{};
    ASSERT_TRUE(file.Load(loaded, error)) << error;
    EXPECT_EQ(loaded, values);

    for (const char* broken : {"21 5\n", "3\n", "x 1\n", "3 70000\n"}) {
        std::ofstream(path) << broken;
        Registers::E2promValues untouched = values;
        error.clear();
        EXPECT_FALSE(file.Load(untouched, error)) << broken;
        EXPECT_EQ(untouched, values) << broken;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(E2promFile((dir.path / "no" / "such").string()).Save(values, error));
}

// Even with the session's locale as the global C++ locale (de_DE groups thousands with "."),
// the state file and the dump keep plain digits that the simulator and the tests read back.
TEST(SimFiles, PlainDigitsUnderAGroupingLocale)
{
    const std::locale before = std::locale::global(std::locale(""));
    TempDir dir;
    Registers::E2promValues values = Registers::DefaultE2prom();
    values[1] = 65535;
    std::string error;
    const bool saved = E2promFile((dir.path / "e2prom").string()).Save(values, error);
    Options o;
    o.presets = {{4, 54321}};
    Device device(o);
    const bool dumped = device.Command("dump " + (dir.path / "d").string(), error);
    std::locale::global(before);
    ASSERT_TRUE(saved && dumped) << error;
    EXPECT_NE(ReadFile(dir.path / "e2prom").find("\n1 65535\n"), std::string::npos);
    EXPECT_NE(ReadFile(dir.path / "d").find("e2prom 4 54321\n"), std::string::npos);
    Registers::E2promValues loaded{};
    ASSERT_TRUE(E2promFile((dir.path / "e2prom").string()).Load(loaded, error)) << error;
    EXPECT_EQ(loaded, values);
}
