// Integer expressions of scripts and of #if lines: C operators and precedence on 32-bit
// values; in #if lines also defined(NAME), and unknown identifiers count as 0.
#pragma once

#include <functional>

#include "Token.h"

namespace rc {

/// A stream of tokens that an expression is read from.
class TokenCursor {
public:
    virtual ~TokenCursor() = default;
    virtual const Token& peek(size_t ahead = 0) = 0;
    virtual Token next() = 0;
};

/// A cursor over a vector (the tokens of an #if line, of a macro body).
class VectorCursor : public TokenCursor {
public:
    explicit VectorCursor(const std::vector<Token>& tokens, Location end = {}) : tokens_(tokens) { end_.where = end; }
    const Token& peek(size_t ahead = 0) override {
        return position_ + ahead < tokens_.size() ? tokens_[position_ + ahead] : end_;
    }
    Token next() override { return position_ < tokens_.size() ? tokens_[position_++] : end_; }
    bool atEnd() const { return position_ >= tokens_.size(); }

private:
    const std::vector<Token>& tokens_;
    size_t position_ = 0;
    Token end_;
};

struct ExpressionRules {
    /// #if rules: defined(), unknown identifiers are 0.
    bool preprocessor = false;
    std::function<bool(const std::wstring&)> isDefined;
    /// Style lists: "|" ends the expression (the caller combines the terms, some with NOT).
    bool stopAtBar = false;
};

/// True when the token can begin an expression.
bool startsExpression(const Token& token);

/// Reads one expression (it stops before the first token that cannot continue it, such as
/// a comma or a string) and returns its value. Throws Error on malformed input, on
/// division by zero and on identifiers that name no value.
int64_t evaluate(TokenCursor& cursor, const ExpressionRules& rules = {});

}  // namespace rc
