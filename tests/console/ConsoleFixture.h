#pragma once
// The console's main form in the test's own process, on a free port, with its data logs in a
// folder of its own and simulated terminals as its peers.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ConsoleTestSupport.h"
#include "DtuTerminal.h"
#include "fmMain.h"

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the form as the program does (answering the protocol question) and shows it. The
    // settings file says manual start unless the test wrote another mode first.
    void CreateConsole(DtuProtocol protocol = DtuProtocol::Udp);
    void DestroyConsole();
    void StartService();
    // Stops the service as the user does, answering its question with Yes.
    void StopService();
    bool ServiceRunning() const { return form->ToolButton2->Enabled(); }

    // A terminal that logged in, once the console has shown its login.
    std::unique_ptr<DtuTerminal> LoginTerminal(const std::string& id, std::uint32_t mobileAddress = 0x0A000001,
                                               std::uint16_t mobilePort = 7000);
    // Sends data from the terminal and waits until the console has counted it.
    void SendFromTerminal(DtuTerminal& terminal, const std::vector<std::uint8_t>& data);
    int EventCount() const;
    // The next host data frame the terminal receives within the time (the console's messages
    // handled meanwhile); empty when none came.
    std::vector<std::uint8_t> ReceiveHostData(DtuTerminal& terminal, DWORD timeoutMs = 3000);

    std::vector<std::string> MemoLines() const;
    std::string LastMemoLine() const;
    bool MemoHas(const std::string& line) const;

    static std::vector<std::uint8_t> Bytes(const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

    std::unique_ptr<TForm1> form;
    std::string folder;  // the data log folder
    DtuProtocol protocol = DtuProtocol::Udp;

private:
    std::map<const DtuTerminal*, std::deque<std::vector<std::uint8_t>>> hostData;
};

// The console serving over UDP with one terminal, 13800000001, logged in.
class ConsoleWithTerminalTest : public ConsoleTest {
protected:
    void SetUp() override;

    std::unique_ptr<DtuTerminal> terminal;
};
