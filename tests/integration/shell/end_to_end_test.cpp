#include "integration/delivery/desktop_session.h"
#include "pipe_writer.h"
#include "private_pulse_audio.h"
#include "support/child_process.h"
#include "word_error_rate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string readFile(const fs::path& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool endsWithSettledSentence(const std::string& text)
{
    return text.size() >= 3 && (text.compare(text.size() - 2, 2, ". ") == 0 || text.compare(text.size() - 2, 2, "? ") == 0);
}

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

void pressControlWith(const std::string& key)
{
    testing::userKey("Control_L", true);
    testing::userKey(key, true);
    testing::userKey(key, false);
    testing::userKey("Control_L", false);
}

// The whole road on a private desktop: an X server with a tray host, a
// D-Bus session with the accessibility bus, a sound server whose microphone plays a LibriVox
// recording at real-time pace, GTK text entries, and the application as a user starts it.
class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto missing = testing::DesktopSession::missingPrograms(false);
        for (const char* program : {"trayer", "xdotool"})
            if (!testing::haveProgram(program))
                missing.push_back(program);
        ASSERT_TRUE(missing.empty()) << "missing programs (run scripts/setup): " << missing.front();
        recordings_ = testing::librivoxRecordings();
        ASSERT_FALSE(recordings_.empty()) << "the LibriVox recordings are missing: install pocketsphinx-testdata";

        session_ = std::make_unique<testing::DesktopSession>(false);
        ASSERT_EQ(session_->failure(), "");
        home_ = session_->directory() / "home";
        fs::create_directories(home_);
        tray_ = std::make_unique<testing::ChildProcess>(
            std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
                                     "--height", "24", "--SetDockType", "true"});
        pulse_ = std::make_unique<testing::PrivatePulseAudio>();
        ASSERT_TRUE(pulse_->ready()) << "the private PulseAudio did not start";
        const fs::path fifo = pulse_->directory() / "microphone";
        ASSERT_TRUE(pulse_->loadPipeSource("microphone", fifo));
        ASSERT_TRUE(pulse_->setDefaultSource("microphone"));
        microphone_ = std::make_unique<testing::PipeWriter>(fifo);
        // A copy under a name of its own: the application ends other running copies of itself,
        // which must be neither a user's copy nor that of a test running beside this one.
        application_path_ = session_->directory() / ("brindlemoor-e2e-" + std::to_string(getpid()));
        fs::copy_file(BRINDLEMOOR_APPLICATION, application_path_, fs::copy_options::overwrite_existing);
        fs::permissions(application_path_, fs::perms::owner_all);
    }

    void TearDown() override
    {
        application_.reset();
        editors_.clear();
        microphone_.reset();
        pulse_.reset();
        tray_.reset();
        session_.reset();
    }

    pid_t startEditor(const std::string& program, const std::string& title, const fs::path& report)
    {
        editors_.push_back(std::make_unique<testing::ChildProcess>(
            std::vector<std::string>{program, "--title", title, "--report", report.string(), "--focus", "entry"}));
        const pid_t pid = editors_.back()->pid();
        EXPECT_TRUE(testing::waitUntil([&] { return fs::exists(report.string() + ".entry"); }, 20s))
            << title << " did not start";
        EXPECT_TRUE(testing::waitUntil([&] { return testing::focusWindowOf(pid); }, 20s)) << title << " shows no window";
        return pid;
    }

    void startApplication()
    {
        log_ = session_->directory() / ("brindlemoor-" + std::to_string(++runs_) + ".log");
        application_ = std::make_unique<testing::ChildProcess>(
            std::vector<std::string>{"sh", "-c", "exec \"$0\" >\"$1\" 2>&1", application_path_.string(), log_.string()},
            std::map<std::string, std::string>{{"HOME", home_.string()},
                                               {"XDG_CONFIG_HOME", (home_ / ".config").string()},
                                               {"XDG_DATA_HOME", (home_ / ".local/share").string()}});
        const bool shown = testing::waitUntil(
            [] { return testing::runCommand({"xdotool", "search", "--name", "^Brindlemoor$"}) == 0; }, 30s);
        ASSERT_TRUE(shown) << "the floating window never appeared; the application printed:\n" << readFile(log_);
    }

    // Ctrl+1 twice: the first press after launch turns the set flag off, the second starts
    // recognition. Then the microphone hears one sentence followed by silence.
    void dictateOneSentence(const testing::Recording& recording)
    {
        pressControlWith("1");
        std::this_thread::sleep_for(1500ms);
        pressControlWith("1");
        std::this_thread::sleep_for(2500ms);
        auto samples = testing::readSamples(recording.path);
        ASSERT_TRUE(samples);
        microphone_->enqueue(*samples);
        microphone_->enqueueSilence(4.0);
    }

    std::string waitForSentence(const fs::path& report)
    {
        std::string text;
        testing::waitUntil([&] {
            text = readFile(report.string() + ".entry");
            return endsWithSettledSentence(text);
        }, 90s);
        return text;
    }

    std::vector<testing::Recording> recordings_;
    std::unique_ptr<testing::DesktopSession> session_;
    std::unique_ptr<testing::ChildProcess> tray_;
    std::unique_ptr<testing::PrivatePulseAudio> pulse_;
    std::unique_ptr<testing::PipeWriter> microphone_;
    std::vector<std::unique_ptr<testing::ChildProcess>> editors_;
    std::unique_ptr<testing::ChildProcess> application_;
    fs::path application_path_;
    fs::path home_;
    fs::path log_;
    int runs_ = 0;
};

TEST_F(EndToEndTest, DictatedSentencesArriveInTheFocusedEntryAndInAChosenOne)
{
    const fs::path first = session_->directory() / "first";
    const pid_t editor = startEditor(BRINDLEMOOR_TEST_EDITOR, "Editor", first);
    startApplication();
    ASSERT_TRUE(testing::focusWindowOf(editor));
    dictateOneSentence(recordings_[0]);
    std::string text = waitForSentence(first);
    ASSERT_TRUE(endsWithSettledSentence(text))
        << "the entry holds \"" << text << "\"; the application printed:\n" << readFile(log_);
    std::printf("The focused entry holds: \"%s\"\n", text.c_str());
    EXPECT_LE(testing::wordErrorRate(testing::normalisedWords(text), testing::normalisedWords(recordings_[0].reference)),
              0.7)
        << text;
    EXPECT_EQ(occurrences(readFile(log_), "Command-1 was pressed\n"), 2u);

    // A new launch ends the first; the target is chosen with Ctrl+2 and another window is
    // focused while the sentence is spoken.
    application_.reset();
    const fs::path target = session_->directory() / "target";
    const fs::path other = session_->directory() / "other";
    const pid_t targetEditor = startEditor(BRINDLEMOOR_TEST_EDITOR, "Target", target);
    const pid_t otherEditor = startEditor(BRINDLEMOOR_OTHER_EDITOR, "Other", other);
    startApplication();
    ASSERT_TRUE(testing::focusWindowOf(targetEditor));
    // The entry's window must have become the active one before the application looks for it.
    std::this_thread::sleep_for(1500ms);
    pressControlWith("2");
    std::this_thread::sleep_for(1500ms);
    ASSERT_TRUE(testing::focusWindowOf(otherEditor));
    dictateOneSentence(recordings_[1]);
    text = waitForSentence(target);
    ASSERT_TRUE(endsWithSettledSentence(text))
        << "the chosen entry holds \"" << text << "\", the other \"" << readFile(other.string() + ".entry")
        << "\"; the application printed:\n" << readFile(log_);
    std::printf("The chosen entry holds: \"%s\"\n", text.c_str());
    EXPECT_EQ(readFile(other.string() + ".entry"), "");
    EXPECT_NE(readFile(log_).find("Command-2 was pressed"), std::string::npos);
}

} // namespace
} // namespace brindlemoor
