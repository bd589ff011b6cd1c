// The review windows' MailTo steps and the hand-off under them, against a recording mail client:
// the whole log block, the client's arguments and the operator's messages.
#include <functional>

#include "platform/text/Text.h"
#include "review/mail/MailHandOff.h"
#include "review/mail/MailTo.h"
#include "tests/review/mail/MailFixture.h"

namespace {

using mailtest::LogLines;

class MailToTest : public mailtest::MailFixture {
  protected:
    MailToTest() {
        SetOutlookPath(mClient + "/");
        for (const char* name : {"A", "B", "C", "D"}) {
            testsupport::WriteFileBytes(Picture(name), "BM");
        }
    }
    std::string Picture(const std::string& name) const {
        return Folder() + "/database/3/images/P16030714050" + name + ".bmp";
    }
    static std::wstring Wide(const std::string& text) { return text::FromUtf8(text); }

    // The hand-off's own block for the recording client, with or without the attachment.
    std::vector<std::string> HandOffBlock(const std::string& file, bool attached) const {
        std::vector<std::string> lines{"-------------",
                                       "<time>",
                                       "UTILITY_OutlookSendMail2 >>",
                                       "Address : []",
                                       "Subject : [Subject]",
                                       "Body : [Body]",
                                       "AttachedFilePath : [" + file + "]",
                                       "pathOutlook : [" + mClient + "/]"};
        if (!attached) {
            lines.push_back("ERROR! AttachedFilePath Does Not Exist!");
        }
        lines.push_back("message : [\"&subject=Subject&body=Body\"]");
        lines.push_back("command : [\"" + mClient +
                        "/OUTLOOK.EXE\" /c ipm.note /m \"&subject=Subject&body=Body\"" +
                        (attached ? " /a \"" + file + "\"" : "") + "]");
        lines.insert(lines.end(), {"UTILITY_OutlookSendMail2 <<", "-------------"});
        return lines;
    }
    static std::vector<std::string> ClientArguments(const std::string& file, bool attached) {
        std::vector<std::string> arguments{"/c", "ipm.note", "/m", "&subject=Subject&body=Body"};
        if (attached) {
            arguments.insert(arguments.end(), {"/a", file});
        }
        return arguments;
    }

    const std::string mClient = Folder() + "/client";
    const std::filesystem::path mOutlook = RecordingScript(mClient, "OUTLOOK.EXE");
};

TEST_F(MailToTest, BrowserMailsTheSelectedSlotWithTheWholeBlockLogged) {
    MailToBrowser(1,
                  {Wide(Picture("A")), Wide(Picture("B")), Wide(Picture("C")), Wide(Picture("D"))},
                  mPrompts);

    const std::string b = Picture("B");
    EXPECT_EQ(MaskedLog(),
              LogLines({"-------------",
                        "<time>",
                        "OnBnClickedButtonImageBrowserMailto >>",
                        "mSelectIndicatorCurrent : 1",
                        "mImageFileFullPathA : " + Picture("A"),
                        "mImageFileFullPathB : " + b,
                        "mImageFileFullPathC : " + Picture("C"),
                        "mImageFileFullPathD : " + Picture("D"),
                        "fullPathOfCurrentSelected : " + b,
                        "-------------",
                        "<time>",
                        "UTILITY_OutlookSendMail2 >>",
                        "Address : []",
                        "Subject : [Subject]",
                        "Body : [Body]",
                        "AttachedFilePath : [" + b + "]",
                        "pathOutlook : [" + mClient + "/]",
                        "message : [\"&subject=Subject&body=Body\"]",
                        "command : [\"" + mClient +
                            "/OUTLOOK.EXE\" /c ipm.note /m \"&subject=Subject&body=Body\" /a \"" +
                            b + "\"]",
                        "UTILITY_OutlookSendMail2 <<",
                        "-------------",
                        "UTILITY_OutlookSendMail2 Pass.",
                        "fullPathOfCurrentSelected : " + b,
                        "OnBnClickedButtonImageBrowserMailto <<",
                        "-------------"}));
    EXPECT_EQ(Recorded(mOutlook), ClientArguments(b, true));
    EXPECT_TRUE(mPrompts.said.empty());
}

// Each handler's block; a picture that is missing (gone from its slot, deleted meanwhile, no
// slot selected) is reported, and the client still starts, without an attachment.
TEST_F(MailToTest, EachHandlerLogsItsBlockAndStartsTheClient) {
    const std::string p = Picture("A");
    const std::string gone = Folder() + "/database/3/images/P160307140509.bmp";
    const struct {
        const char* name;
        std::function<void(mailtest::RecordedPrompts&)> click;
        std::vector<std::string> head;  // entry and value lines
        std::string file;
        bool exists;
    } cases[] = {
        {"comment",
         [&](auto& prompts) { MailToComment(Wide(p), prompts); },
         {"OnBnClickedButtonImageCommentMailto >>", "mStringFullPathOfPhotoSelected : " + p},
         p,
         true},
        {"detail",
         [&](auto& prompts) { MailToDetail(Wide(p), prompts); },
         {"OnBnClickedButtonImageDetailMailto", "mStringFullPathOfPhotoSelected : " + p},
         p,
         true},
        {"detail, picture deleted",
         [&](auto& prompts) { MailToDetail(Wide(gone), prompts); },
         {"OnBnClickedButtonImageDetailMailto", "mStringFullPathOfPhotoSelected : " + gone},
         gone,
         false},
        {"browser, selected slot emptied",
         [&](auto& prompts) {
             MailToBrowser(1, {Wide(p), L"", Wide(p), Wide(p)}, prompts);
         },
         {"OnBnClickedButtonImageBrowserMailto >>", "mSelectIndicatorCurrent : 1",
          "mImageFileFullPathA : " + p, "mImageFileFullPathB : ", "mImageFileFullPathC : " + p,
          "mImageFileFullPathD : " + p, "fullPathOfCurrentSelected : "},
         "",
         false},
        {"browser, nothing selected",
         [&](auto& prompts) {
             MailToBrowser(-1, {Wide(p), Wide(p), Wide(p), Wide(p)}, prompts);
         },
         {"OnBnClickedButtonImageBrowserMailto >>", "mSelectIndicatorCurrent : -1",
          "mImageFileFullPathA : " + p, "mImageFileFullPathB : " + p, "mImageFileFullPathC : " + p,
          "mImageFileFullPathD : " + p, "fullPathOfCurrentSelected : "},
         "",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(mFolder.Path() / "Sorvanti_LOG.ini");
        std::filesystem::remove(mOutlook.string() + ".args");
        mailtest::RecordedPrompts prompts;
        c.click(prompts);

        std::vector<std::string> expected{"-------------", "<time>"};
        expected.insert(expected.end(), c.head.begin(), c.head.end());
        if (!c.exists) {
            expected.push_back("ERROR! File Path Invalid!");
        }
        const std::vector<std::string> handOff = HandOffBlock(c.file, c.exists);
        expected.insert(expected.end(), handOff.begin(), handOff.end());
        std::string exitLine = c.head.front();
        exitLine = exitLine.substr(0, exitLine.find(' ')) + " <<";
        expected.insert(expected.end(), {"UTILITY_OutlookSendMail2 Pass.", c.head.back(), exitLine,
                                         "-------------"});
        EXPECT_EQ(MaskedLog(), LogLines(expected));
        EXPECT_EQ(Recorded(mOutlook), ClientArguments(c.file, c.exists));
        EXPECT_EQ(prompts.said, c.exists ? std::vector<std::wstring>{}
                                         : std::vector<std::wstring>{L"File Path Invalid!"});
    }
}

// Without a client the hand-off fails: without "Path" the block ends right after the registry
// failure and nothing is started; a folder without the program fails when starting it.
TEST_F(MailToTest, HandOffWithoutClientFailsWithAMessage) {
    const std::string p = Picture("C");
    const std::vector<std::string> noPath{"UTILITY_GetRegistryKeyString Fail!"};
    const std::string empty = Folder() + "/empty/";
    std::filesystem::create_directories(empty);
    const std::vector<std::string> noProgram{
        "pathOutlook : [" + empty + "]", "message : [\"&subject=Subject&body=Body\"]",
        "command : [\"" + empty +
            "OUTLOOK.EXE\" /c ipm.note /m \"&subject=Subject&body=Body\" /a \"" + p + "\"]"};
    const struct {
        const char* name;
        bool registryFile;
        std::optional<std::string> path;  // nullopt: the key without "Path"
        std::vector<std::string> afterValues;
    } cases[] = {{"no registry file", false, std::nullopt, noPath},
                 {"no Path value", true, std::nullopt, noPath},
                 {"empty Path", true, "", noPath},
                 {"Path without the program", true, empty, noProgram}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(mFolder.Path() / "Sorvanti_LOG.ini");
        std::filesystem::remove(mFolder.Path() / "registry.reg");
        if (c.registryFile) {
            SetOutlookPath(c.path);
        }
        mailtest::RecordedPrompts prompts;
        MailToComment(Wide(p), prompts);

        std::vector<std::string> expected{"-------------",
                                          "<time>",
                                          "OnBnClickedButtonImageCommentMailto >>",
                                          "mStringFullPathOfPhotoSelected : " + p,
                                          "-------------",
                                          "<time>",
                                          "UTILITY_OutlookSendMail2 >>",
                                          "Address : []",
                                          "Subject : [Subject]",
                                          "Body : [Body]",
                                          "AttachedFilePath : [" + p + "]"};
        expected.insert(expected.end(), c.afterValues.begin(), c.afterValues.end());
        expected.insert(
            expected.end(),
            {"UTILITY_OutlookSendMail2 <<", "-------------", "UTILITY_OutlookSendMail2 Fail.",
             "OnBnClickedButtonImageCommentMailto <<", "-------------"});
        EXPECT_EQ(MaskedLog(), LogLines(expected));
        EXPECT_EQ(prompts.said, std::vector<std::wstring>{L"Outlook Sendmail Error!"});
        EXPECT_EQ(Recorded(mOutlook, false), std::nullopt);
    }
}

// The usual case: the client is still open when the wait of 6000 ms ends. That counts as a
// hand-off that worked, and the client keeps running.
TEST_F(MailToTest, ClientStillRunningAfterTheWaitIsAPass) {
    const std::string release = Folder() + "/release";
    const std::filesystem::path ended = mFolder.Path() / "ended";
    // It also ends when the test's folder is gone, so a failed test leaves nothing running.
    testsupport::WriteFileBytes(mOutlook, "#!/bin/sh\nwhile [ ! -e '" + release + "' ] && [ -d '" +
                                              Folder() + "' ]; do sleep 0.05; done\ntouch '" +
                                              ended.string() + "'\n");
    MailToComment(Wide(Picture("A")), mPrompts);

    EXPECT_FALSE(std::filesystem::exists(ended));
    EXPECT_NE(MaskedLog().find("\r\nUTILITY_OutlookSendMail2 Pass.\r\n"), std::string::npos);
    EXPECT_TRUE(mPrompts.said.empty());
    testsupport::WriteFileBytes(release, "");
    EXPECT_TRUE(WaitUntilExists(ended));
}

// Values the command line cannot carry as they are (quotes, backslashes before a quote or at
// the end, '&' and '%' in the message) still reach the client each as one argument; the log
// shows them as given.
TEST_F(MailToTest, EveryValueReachesTheClientAsOneArgument) {
    const std::string file = Folder() + "/a \"quoted\" name\\\" $(touch pwned); x\\";
    testsupport::WriteFileBytes(file, "BM");
    EXPECT_TRUE(UTILITY_OutlookSendMail2(L"dr.who@clinic.example", L"R&D at 100%",
                                         L"see \"this\\\"", Wide(file)));

    EXPECT_EQ(Recorded(mOutlook),
              (std::vector<std::string>{"/c", "ipm.note", "/m",
                                        "dr.who@clinic.example&subject=R%26D at "
                                        "100%25&body=see \"this\\\"",
                                        "/a", file}));
    const std::string log = MaskedLog();
    EXPECT_NE(log.find("\r\nmessage : [\"dr.who@clinic.example&subject=R&D at 100%&body=see "
                       "\"this\\\"\"]\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\r\ncommand : [\"" + mClient +
                       "/OUTLOOK.EXE\" /c ipm.note /m \"dr.who@clinic.example&subject=R&D at "
                       "100%&body=see \"this\\\"\" /a \"" +
                       file + "\"]\r\n"),
              std::string::npos)
        << log;
}

}  // namespace
