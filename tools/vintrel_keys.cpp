// Replays key sequences on the calculator engine, one sequence a line, and
// prints the state after every key as a JSON line. Used by tests and by
// anyone checking a result without the window.
#include "platform/standard_streams.h"
#include "tools/key_replay.h"

#include <iostream>
#include <string>

int main()
{
    using namespace vintrel;
    // The output is compared byte for byte across systems.
    platform::useBinaryStandardStreams();
    std::ios::sync_with_stdio(false);
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
