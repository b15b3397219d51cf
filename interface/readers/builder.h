// The engine's builder entry points as the readers see them: one virtual call per entry.
#pragma once

#include <cstdint>
#include <string>

namespace readers {

class Builder {
public:
    virtual ~Builder() = default;

#define READERS_BUILDER_ENTRIES(X)                                                                                     \
    X(BKSACB)                                                                                                          \
    X(BKSACL) X(BKSACR) X(BKSACT) X(BKSBC1) X(BKSBCC) X(BKSBCN) X(BKSBCO) X(BKSBCR) X(BKSBEG) X(BKSBRC) X(BKSBRO)      \
        X(BKSBRS) X(BKSBRT) X(BKSDEC) X(BKSEND) X(BKSERJ) X(BKSEXT) X(BKSGMN) X(BKSNAI) X(BKSNEG) X(BKSNEX) X(BKSNLI)  \
            X(BKSNL) X(BKSNTM) X(BKSNUL) X(BKSNXT) X(BKSOFF) X(BKSON) X(BKSPOP) X(BKSPOST) X(BKSPOS) X(BKSPRG)         \
                X(BKSPSH) X(BKSRPT) X(BKSSTM) X(BKSSYN) X(BKSTRB) X(BKSTRE) X(BKSTRF) X(BKSTRL) X(BKSTRM) X(BKSVLR)    \
                    X(BKSVLW) X(BKSW3C) X(BKSWBC) X(BKSWBO) X(BKSWBQ) X(BKSWBR)
#define READERS_BUILDER_CODE_ENTRIES(X) X(BKSSYM) X(BKSS) X(BKSSTS)

#define READERS_DECLARE_PLAIN(name) virtual void name() = 0;
#define READERS_DECLARE_CODE(name) virtual void name(std::int32_t code) = 0;
    READERS_BUILDER_ENTRIES(READERS_DECLARE_PLAIN)
    READERS_BUILDER_CODE_ENTRIES(READERS_DECLARE_CODE)
#undef READERS_DECLARE_PLAIN
#undef READERS_DECLARE_CODE
};

// Does nothing: for readings that only colour a text and must leave the engine's store alone.
class NullBuilder final : public Builder {
public:
#define READERS_NULL_PLAIN(name)                                                                                       \
    void name() override {}
#define READERS_NULL_CODE(name)                                                                                        \
    void name(std::int32_t) override {}
    READERS_BUILDER_ENTRIES(READERS_NULL_PLAIN)
    READERS_BUILDER_CODE_ENTRIES(READERS_NULL_CODE)
#undef READERS_NULL_PLAIN
#undef READERS_NULL_CODE
};

// Writes every call as text: "BKSNAI BKSSYM(97) BKSTRM ..." (one blank between calls).
class RecordingBuilder final : public Builder {
public:
    std::string trace;
    void clear() { trace.clear(); }

#define READERS_REC_PLAIN(name)                                                                                        \
    void name() override { add(#name); }
#define READERS_REC_CODE(name)                                                                                         \
    void name(std::int32_t code) override { add(#name "(" + std::to_string(code) + ")"); }
    READERS_BUILDER_ENTRIES(READERS_REC_PLAIN)
    READERS_BUILDER_CODE_ENTRIES(READERS_REC_CODE)
#undef READERS_REC_PLAIN
#undef READERS_REC_CODE

private:
    void add(const std::string& call)
    {
        if (!trace.empty()) trace += ' ';
        trace += call;
    }
};

} // namespace readers
