// Precedence-climbing evaluation of integer expressions.
#include "Expression.h"

#include "Source.h"

namespace rc {
namespace {

struct Binary {
    const wchar_t* op;
    int precedence;
};

const Binary kBinary[] = {{L"||", 1}, {L"&&", 2}, {L"|", 3},  {L"^", 4},  {L"&", 5},  {L"==", 6}, {L"!=", 6},
                          {L"<", 7},  {L">", 7},  {L"<=", 7}, {L">=", 7}, {L"<<", 8}, {L">>", 8}, {L"+", 9},
                          {L"-", 9},  {L"*", 10}, {L"/", 10}, {L"%", 10}};

int precedenceOf(const Token& t, bool stopAtBar) {
    if (t.kind != TokenKind::Punct || (stopAtBar && t.text == L"|"))
        return 0;
    for (const Binary& b : kBinary) {
        if (t.text == b.op)
            return b.precedence;
    }
    return 0;
}

int64_t wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

class Evaluator {
public:
    Evaluator(TokenCursor& cursor, const ExpressionRules& rules) : cursor_(cursor), rules_(rules) {}

    int64_t conditional() {
        const int64_t condition = binary(1);
        if (!cursor_.peek().isPunct(L"?"))
            return condition;
        cursor_.next();
        const int64_t a = conditional();
        expect(L":");
        const int64_t b = conditional();
        return condition ? a : b;
    }

private:
    int64_t binary(int minPrecedence) {
        int64_t left = unary();
        for (;;) {
            const Token& op = cursor_.peek();
            const int p = precedenceOf(op, rules_.stopAtBar);
            if (p == 0 || p < minPrecedence)
                return left;
            const Token t = cursor_.next();
            const int64_t right = binary(p + 1);
            left = apply(t, left, right);
        }
    }

    int64_t apply(const Token& op, int64_t a, int64_t b) {
        const std::wstring& o = op.text;
        const auto ua = static_cast<uint32_t>(a);
        const auto ub = static_cast<uint32_t>(b);
        if (o == L"||") return a || b;
        if (o == L"&&") return a && b;
        if (o == L"|") return wrap(ua | ub);
        if (o == L"^") return wrap(ua ^ ub);
        if (o == L"&") return wrap(ua & ub);
        if (o == L"==") return a == b;
        if (o == L"!=") return a != b;
        if (o == L"<") return a < b;
        if (o == L">") return a > b;
        if (o == L"<=") return a <= b;
        if (o == L">=") return a >= b;
        if (o == L"<<") return wrap(static_cast<int64_t>(ua << (ub & 31)));
        if (o == L">>") return wrap(a >> (ub & 31));
        if (o == L"+") return wrap(a + b);
        if (o == L"-") return wrap(a - b);
        if (o == L"*") return wrap(static_cast<int64_t>(ua * ub));
        if (b == 0)
            throw Error(op.where, "division by zero in expression");
        if (o == L"/") return wrap(a / b);
        return wrap(a % b);
    }

    int64_t unary() {
        const Token& t = cursor_.peek();
        if (t.isPunct(L"-")) {
            cursor_.next();
            return wrap(-unary());
        }
        if (t.isPunct(L"+")) {
            cursor_.next();
            return unary();
        }
        if (t.isPunct(L"~")) {
            cursor_.next();
            return wrap(~static_cast<uint32_t>(unary()));
        }
        if (t.isPunct(L"!")) {
            cursor_.next();
            return !unary();
        }
        return primary();
    }

    int64_t primary() {
        const Token t = cursor_.next();
        if (t.kind == TokenKind::Number)
            return t.isLong || t.value <= 0x7FFFFFFF ? wrap(t.value) : static_cast<int64_t>(t.value);
        if (t.isPunct(L"(")) {
            const int64_t v = conditional();
            expect(L")");
            return v;
        }
        if (t.kind == TokenKind::Identifier && rules_.preprocessor) {
            if (t.text == L"defined") {
                const bool paren = cursor_.peek().isPunct(L"(");
                if (paren)
                    cursor_.next();
                const Token name = cursor_.next();
                if (name.kind != TokenKind::Identifier)
                    throw Error(name.where, "defined needs a macro name");
                if (paren)
                    expect(L")");
                return rules_.isDefined && rules_.isDefined(name.text) ? 1 : 0;
            }
            return 0;
        }
        if (t.kind == TokenKind::Identifier)
            throw Error(t.where, "undefined identifier '" + narrow(t.text) + "' in expression");
        if (t.kind == TokenKind::End)
            throw Error(t.where, "expression expected");
        throw Error(t.where, "unexpected '" + narrow(t.text) + "' in expression");
    }

    void expect(const wchar_t* punct) {
        const Token t = cursor_.next();
        if (!t.isPunct(punct))
            throw Error(t.where, "expected '" + narrow(punct) + "'");
    }

    TokenCursor& cursor_;
    const ExpressionRules& rules_;
};

}  // namespace

bool startsExpression(const Token& token) {
    return token.kind == TokenKind::Number || token.isPunct(L"(") || token.isPunct(L"-") || token.isPunct(L"~") ||
           token.isPunct(L"+") || token.isPunct(L"!");
}

int64_t evaluate(TokenCursor& cursor, const ExpressionRules& rules) { return Evaluator(cursor, rules).conditional(); }

}  // namespace rc
