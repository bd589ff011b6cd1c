// The mail adapter OUTLOOK.EXE: its translation of the mail client's switches, its exit status,
// and the whole road from a MailTo button through the adapter to a recording xdg-email, with
// attachment paths that a shell would have run.
#include <unistd.h>

#include "platform/sys/Process.h"
#include "platform/text/Text.h"
#include "review/mail/MailTo.h"
#include "review/mail/adapter/ComposerArguments.h"
#include "tests/review/mail/MailFixture.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(ComposerArgumentsTest, SwitchesBecomeTheComposersOptions) {
    const std::string message = "&subject=Subject&body=Body";
    const struct {
        Arguments switches;
        Arguments composer;
    } cases[] = {
        {{"/c", "ipm.note", "/m", message, "/a", "/p/P1.bmp"},
         {"xdg-email", "--utf8", "--subject", "Subject", "--body", "Body", "--attach",
          "/p/P1.bmp"}},
        {{"/c", "ipm.note", "/m", message},
         {"xdg-email", "--utf8", "--subject", "Subject", "--body", "Body"}},
        {{"/A", "-rf", "/M", "a@b.example&BODY=x", "/C", "IPM.Note"},
         {"xdg-email", "--utf8", "--to", "a@b.example", "--body", "x", "--attach", "-rf"}},
        // An address that is an option or a link to xdg-email stays an address.
        {{"/m", "--attach=/etc/shadow"}, {"xdg-email", "--utf8", "--to", "--attach=/etc/shadow"}},
        {{"/m", "mailto:x?attach=/etc/shadow"},
         {"xdg-email", "--utf8", "--to", "mailto:x?attach=/etc/shadow"}},
        {{"/m", "x%26y%40b.example&subject=R%26D 100%25 %zz %4&body=%00 %C3%A9"},
         {"xdg-email", "--utf8", "--to", "x&y@b.example", "--subject", "R&D 100% %zz %4", "--body",
          "%00 \xC3\xA9"}},
        {{"/m", "&subject=&body=&&"}, {"xdg-email", "--utf8"}},
        {{}, {"xdg-email", "--utf8"}},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(mail::ComposerArguments(c.switches, error), c.composer) << c.switches.size();
        EXPECT_EQ(error, "");
    }
}

TEST(ComposerArgumentsTest, WhatIsNotUnderstoodIsRefusedWithItsReason) {
    const struct {
        Arguments switches;
        std::string error;
    } cases[] = {
        {{"/c", "ipm.note", "/x", "y"}, "unexpected argument '/x'"},
        {{"/c", "ipm.note", "/m"}, "no value after /m"},
        {{"/a", ""}, "no value after /a"},
        {{"/a", "x", "/A", "y"}, "/a given twice"},
        {{"/c", "ipm.appointment"},
         "only new messages (/c ipm.note) can be composed, not "
         "'ipm.appointment'"},
        {{"/m", "&cc=boss@clinic.example"},
         "unknown field 'cc=boss@clinic.example' in the message of /m"},
        {{"/m", "&subject"}, "unknown field 'subject' in the message of /m"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(mail::ComposerArguments(c.switches, error), std::nullopt) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

class MailAdapterTest : public mailtest::MailFixture {
  protected:
    const std::filesystem::path mAdapter = SORVANTI_MAIL_ADAPTER;
    const std::filesystem::path mBin = mFolder.Path() / "bin";
};

// The composer's status is the adapter's; a line it does not understand and a missing composer
// have their own.
TEST_F(MailAdapterTest, AdapterExitsWithTheComposersStatus) {
    const struct {
        const char* name;
        std::optional<int> composerStatus;  // nullopt: no xdg-email in PATH
        Arguments switches;
        int status;
        std::optional<Arguments> composed;
    } cases[] = {
        {"composed",
         0,
         {"/c", "ipm.note", "/m", "&subject=S"},
         0,
         Arguments{"--utf8", "--subject", "S"}},
        {"composer fails", 4, {"/m", "&body=B"}, 4, Arguments{"--utf8", "--body", "B"}},
        {"not understood", 0, {"/m", "&cc=x"}, 1, std::nullopt},
        {"no composer", std::nullopt, {"/m", "&subject=S"}, 3, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(mBin);
        std::filesystem::create_directories(mBin);
        const std::filesystem::path composer =
            c.composerStatus ? RecordingScript(mBin, "xdg-email", *c.composerStatus)
                             : mBin / "xdg-email";
        ReplacePath(mBin);

        std::vector<std::wstring> command{text::FromPath(mAdapter)};
        for (const std::string& argument : c.switches) {
            command.push_back(text::FromUtf8(argument));
        }
        std::optional<sys::Process> adapter = sys::Process::Start(command);
        ASSERT_TRUE(adapter);
        ASSERT_TRUE(adapter->Wait(-1));
        EXPECT_EQ(adapter->ExitCode(), c.status);
        EXPECT_EQ(Recorded(composer, false), c.composed);
    }
}

// Run from the test's folder, so that anything a shell ran there would leave "pwned" behind.
class WorkingFolder {
  public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : mSaved(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(mSaved); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

  private:
    std::filesystem::path mSaved;
};

TEST_F(MailAdapterTest, PictureReachesTheComposerAsOneLiteralArgument) {
    SetOutlookPath(mAdapter.parent_path().string() + "/");
    const std::filesystem::path composer = RecordingScript(mBin, "xdg-email");
    PrependToPath(mBin);
    const WorkingFolder workingFolder(mFolder.Path());

    const std::string images = Folder() + "/database/3/images/";
    for (const std::string& name :
         {std::string("P1603071405001.bmp"), std::string("a\"b\" $(touch pwned) `touch pwned`.bmp"),
          std::string("x';touch pwned;'\n\"; touch pwned #.bmp"), std::string("back\\\" slash\\"),
          std::string("%26subject=x&body=y \xC3\xA9\xE4\xB8\xAD")}) {
        SCOPED_TRACE(name);
        const std::string picture = images + name;
        testsupport::WriteFileBytes(picture, "BM");
        std::filesystem::remove(composer.string() + ".args");
        mailtest::RecordedPrompts prompts;

        MailToComment(text::FromUtf8(picture), prompts);
        EXPECT_EQ(Recorded(composer), (Arguments{"--utf8", "--subject", "Subject", "--body", "Body",
                                                 "--attach", picture}));
        EXPECT_TRUE(prompts.said.empty());
        EXPECT_NE(MaskedLog().find("\r\nUTILITY_OutlookSendMail2 Pass.\r\n"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(mFolder.Path() / "pwned"));
    }
}

}  // namespace
