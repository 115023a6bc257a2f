// Replays key sequences on the calculator engine, one sequence a line, and
// prints the state after every key as a JSON line. Used by tests and by
// anyone checking a result without the window. With --key-table it prints
// the keys themselves, for tests that click them in the window.
#include "platform/standard_streams.h"
#include "tools/key_replay.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char* argv[])
{
    using namespace vintrel;
    // The output is compared byte for byte across systems.
    platform::useBinaryStandardStreams();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const bool keyTable = !arguments.empty() && arguments[0] == "--key-table";
    if (arguments.size() > (keyTable ? 1u : 0u)) {
        std::cerr << "vintrel-keys: unknown argument '" << tools::printableToken(arguments[keyTable ? 1 : 0])
                  << "'\nusage: vintrel-keys < SEQUENCES    replays key sequences, one a line\n"
                     "       vintrel-keys --key-table    prints the keys as JSON\n";
        return 2;
    }
    if (keyTable) {
        std::cout << tools::keyTableJson() << '\n';
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        const auto words = tools::splitTokens(line);
        std::vector<tools::KeyToken> tokens;
        for (std::string_view word : words) {
            auto token = tools::parseToken(word);
            if (!token) {
                std::cerr << "vintrel-keys: line " << lineNumber << ": unknown key '"
                          << tools::printableToken(word) << "' (keys are the captions " << tools::captionList()
                          << ", or type:TEXT, text:TEXT)\n";
                return 2;
            }
            tokens.push_back(std::move(*token));
        }
        engine::Calculator calculator;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const auto error = tools::play(calculator, tokens[i]);
            std::cout << tools::stateJson(lineNumber, words[i], calculator.state(), error) << '\n';
        }
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
