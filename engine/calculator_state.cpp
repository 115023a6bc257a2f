#include "engine/calculator_state.h"

namespace vintrel::engine {

double tagValue(Tag tag)
{
    switch (tag) {
    case Tag::None: return 0.0;
    case Tag::DivideFirst: return tagDivideFirst;
    case Tag::AddFirst: return tagAddFirst;
    case Tag::MultiplyFirst: return tagMultiplyFirst;
    case Tag::SubtractFirst: return tagSubtractFirst;
    case Tag::SquareFirst: return tagSquareFirst;
    case Tag::SqrtFirst: return tagSqrtFirst;
    case Tag::PercentFirst: return tagPercentFirst;
    case Tag::DivideSecond: return tagDivideSecond;
    case Tag::AddSecond: return tagAddSecond;
    case Tag::MultiplySecond: return tagMultiplySecond;
    case Tag::SquareSecond: return tagSquareSecond;
    case Tag::SqrtSecond: return tagSqrtSecond;
    case Tag::SubtractSecond: return tagSubtractSecond;
    }
    return 0.0;
}

}  // namespace vintrel::engine
