#pragma once
// The one check of a stated precondition. In the checked builds (DETRON_CONTRACTS on: the ci,
// asan and fuzz presets and every Debug build) a broken contract stops the program at once with
// the contract's text, where it was broken; in the builds that ship it compiles to nothing, so
// no result and no speed depends on it. Outside input never reaches one: every reader refuses
// such input first, with a message. Usable in constexpr functions: a contract that holds costs
// a constant evaluation nothing, one that is broken there fails the compilation.

#ifndef DETRON_CONTRACTS
#define DETRON_CONTRACTS 0
#endif

#if DETRON_CONTRACTS

#include <cstdio>
#include <cstdlib>

// Not inline code at each check: the cold path is one call.
[[noreturn, gnu::cold, gnu::noinline]] inline void DetronContractBroken(const char* text, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: contract broken: %s\n", file, line, text);
    std::fflush(stderr);
    std::abort();
}

#define DETRON_EXPECTS(condition, text) \
    (static_cast<bool>(condition) ? static_cast<void>(0) : DetronContractBroken(text, __FILE__, __LINE__))

#else

// Not evaluated, but still compiled: a contract cannot rot in the builds that do not check it.
#define DETRON_EXPECTS(condition, text) static_cast<void>(sizeof(static_cast<bool>(condition)))

#endif
