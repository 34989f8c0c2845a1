#include "components/FormText.h"

#include <cctype>

#include "components/SysUtils.h"

namespace {

struct TToken {
    enum TKind { End, Ident, Number, String, Symbol, Binary };
    TKind Kind = End;
    std::string Text;  // identifier, string contents, the symbol, the decoded bytes
    long long Int = 0;
    int Line = 1;
};

class TFormLexer {
public:
    TFormLexer(const std::string& text, const std::string& source) : FText(text), FSource(source) {}

    TToken Next() {
        SkipBlanks();
        TToken t;
        t.Line = FLine;
        if (FPos >= FText.size()) return t;
        const char c = FText[FPos];
        if (IsIdentStart(c)) return ReadIdent(t);
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '$' ||
            (c == '-' && FPos + 1 < FText.size() && (std::isdigit(static_cast<unsigned char>(FText[FPos + 1])) || FText[FPos + 1] == '$')))
            return ReadNumber(t);
        if (c == '"') return ReadString(t);
        if (c == '<') return ReadBinary(t);
        if (std::string("{}[]()=.,@").find(c) != std::string::npos) {
            t.Kind = TToken::Symbol;
            t.Text = std::string(1, c);
            ++FPos;
            return t;
        }
        Fail(FLine, std::string("unexpected character '") + c + "'");
    }

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw EReadError(FSource + "(" + IntToStr(line) + "): " + message);
    }

private:
    static bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    void SkipBlanks() {
        while (FPos < FText.size()) {
            const char c = FText[FPos];
            if (c == '\n') { ++FLine; ++FPos; }
            else if (c == ' ' || c == '\t' || c == '\r') ++FPos;
            else if (c == '#') { while (FPos < FText.size() && FText[FPos] != '\n') ++FPos; }
            else break;
        }
    }

    TToken ReadIdent(TToken& t) {
        const size_t start = FPos;
        while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
        t.Kind = TToken::Ident;
        t.Text = FText.substr(start, FPos - start);
        return t;
    }

    TToken ReadNumber(TToken& t) {
        const size_t start = FPos;
        if (FText[FPos] == '-') ++FPos;
        while (FPos < FText.size() && (IsIdentChar(FText[FPos]) || FText[FPos] == '$')) ++FPos;
        const std::string text = FText.substr(start, FPos - start);
        if (!TryStrToInt64(text, t.Int)) Fail(t.Line, "'" + text + "' is not a number");
        t.Kind = TToken::Number;
        t.Text = text;
        return t;
    }

    TToken ReadString(TToken& t) {
        ++FPos;
        t.Kind = TToken::String;
        while (true) {
            if (FPos >= FText.size() || FText[FPos] == '\n') Fail(t.Line, "string not closed on its line");
            const char c = FText[FPos++];
            if (c == '"') return t;
            if (c != '\\') {
                t.Text += c;
                continue;
            }
            if (FPos >= FText.size()) Fail(t.Line, "string not closed on its line");
            switch (const char e = FText[FPos++]) {
            case 'n': t.Text += '\n'; break;
            case 'r': t.Text += '\r'; break;
            case 't': t.Text += '\t'; break;
            case '"': case '\\': t.Text += e; break;
            default: Fail(t.Line, std::string("unknown escape \\") + e);
            }
        }
    }

    TToken ReadBinary(TToken& t) {
        ++FPos;
        t.Kind = TToken::Binary;
        int high = -1;
        while (true) {
            if (FPos >= FText.size()) Fail(t.Line, "binary data not closed with '>'");
            const char c = FText[FPos++];
            if (c == '>') break;
            if (c == '\n') { ++FLine; continue; }
            if (c == ' ' || c == '\t' || c == '\r') continue;
            int v = -1;
            if (c >= '0' && c <= '9') v = c - '0';
            else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
            if (v < 0) Fail(FLine, std::string("'") + c + "' in binary data");
            if (high < 0) high = v;
            else {
                t.Text += static_cast<char>(high * 16 + v);
                high = -1;
            }
        }
        if (high >= 0) Fail(t.Line, "binary data with an odd number of hex digits");
        return t;
    }

    const std::string& FText;
    std::string FSource;
    size_t FPos = 0;
    int FLine = 1;
};

class TFormParser {
public:
    TFormParser(const std::string& text, const std::string& source) : FLexer(text, source) { Advance(); }

    TFormNode ParseRoot() {
        if (FToken.Kind != TToken::Ident) FLexer.Fail(FToken.Line, "class name expected" + Found());
        const TToken first = FToken;
        Advance();
        TFormNode root = ParseComponentAfter(first);
        if (FToken.Kind != TToken::End) FLexer.Fail(FToken.Line, "text after the end of the form");
        return root;
    }

private:
    void Advance() { FToken = FLexer.Next(); }

    bool IsSymbol(const char* s) const { return FToken.Kind == TToken::Symbol && FToken.Text == s; }

    void Expect(const char* s) {
        if (!IsSymbol(s)) FLexer.Fail(FToken.Line, std::string("'") + s + "' expected" + Found());
        Advance();
    }

    std::string ExpectIdent(const char* what) {
        if (FToken.Kind != TToken::Ident) FLexer.Fail(FToken.Line, std::string(what) + " expected" + Found());
        std::string text = FToken.Text;
        Advance();
        return text;
    }

    std::string Found() const {
        switch (FToken.Kind) {
        case TToken::End: return ", found the end of the text";
        case TToken::String: return ", found a string";
        case TToken::Number: return ", found a number";
        case TToken::Binary: return ", found binary data";
        default: return ", found '" + FToken.Text + "'";
        }
    }

    // ClassName Name { properties and nested components }
    TFormNode ParseComponentAfter(const TToken& classToken) {
        TFormNode node;
        node.Line = classToken.Line;
        node.ClassName = classToken.Text;
        node.Name = ExpectIdent("component name");
        Expect("{");
        TFormNode body = ParseBody();
        node.Properties = std::move(body.Properties);
        node.Children = std::move(body.Children);
        return node;
    }

    TFormNode ParseBody() {
        TFormNode node;
        while (!IsSymbol("}")) {
            if (FToken.Kind != TToken::Ident) FLexer.Fail(FToken.Line, "property or component expected" + Found());
            TToken first = FToken;
            Advance();
            if (FToken.Kind == TToken::Ident) node.Children.push_back(ParseComponentAfter(first));
            else node.Properties.push_back(ParseAssignmentAfter(first));
        }
        Advance();
        return node;
    }

    TFormAssignment ParseAssignmentAfter(const TToken& first) {
        TFormAssignment a;
        a.Line = first.Line;
        a.Path = first.Text;
        while (IsSymbol(".")) {
            Advance();
            a.Path += "." + ExpectIdent("property name");
        }
        Expect("=");
        a.Value = ParseValue();
        return a;
    }

    TFormValue ParseValue() {
        TFormValue v;
        switch (FToken.Kind) {
        case TToken::Number: v.Kind = TFormValue::Number; v.Int = FToken.Int; v.Text = FToken.Text; Advance(); return v;
        case TToken::String: v.Kind = TFormValue::String; v.Text = FToken.Text; Advance(); return v;
        case TToken::Ident: v.Kind = TFormValue::Ident; v.Text = FToken.Text; Advance(); return v;
        case TToken::Binary: v.Kind = TFormValue::Binary; v.Bytes = FToken.Text; Advance(); return v;
        default: break;
        }
        if (IsSymbol("@")) {
            Advance();
            v.Kind = TFormValue::Handler;
            v.Text = ExpectIdent("handler name");
        } else if (IsSymbol("[")) {
            v.Kind = TFormValue::Set;
            Advance();
            while (!IsSymbol("]")) {
                v.Items.push_back(ExpectIdent("set member"));
                if (!IsSymbol("]")) Expect(",");
            }
            Advance();
        } else if (IsSymbol("(")) {
            v.Kind = TFormValue::List;
            Advance();
            while (!IsSymbol(")")) {
                if (FToken.Kind != TToken::String) FLexer.Fail(FToken.Line, "string expected in a list" + Found());
                v.Items.push_back(FToken.Text);
                Advance();
                if (!IsSymbol(")")) Expect(",");
            }
            Advance();
        } else if (IsSymbol("{")) {
            v.Kind = TFormValue::Collection;
            Advance();
            while (!IsSymbol("}")) {
                Expect("{");
                std::vector<TFormAssignment> item;
                while (!IsSymbol("}")) {
                    TToken first = FToken;
                    if (first.Kind != TToken::Ident) FLexer.Fail(FToken.Line, "property expected in an item" + Found());
                    Advance();
                    item.push_back(ParseAssignmentAfter(first));
                }
                Advance();
                v.Blocks.push_back(std::move(item));
            }
            Advance();
        } else {
            FLexer.Fail(FToken.Line, "value expected" + Found());
        }
        return v;
    }

    TFormLexer FLexer;
    TToken FToken;
};

}  // namespace

TFormNode ParseFormText(const std::string& text, const std::string& sourceName) {
    TFormParser parser(text, sourceName);
    return parser.ParseRoot();
}

std::string QuoteFormString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        default: quoted += c;
        }
    }
    return quoted + "\"";
}

std::string HexLines(const std::string& bytes, const std::string& indent) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "<";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0) text += "\n" + indent + "  ";
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text + "\n" + indent + ">";
}
