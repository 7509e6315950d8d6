#include "platform/env.h"

namespace platform {

namespace {
Env* gReplacement = nullptr;
}

Env& env() { return gReplacement ? *gReplacement : defaultEnv(); }

ScopedEnv::ScopedEnv(Env& replacement) : previous_(gReplacement) { gReplacement = &replacement; }
ScopedEnv::~ScopedEnv() { gReplacement = previous_; }

}  // namespace platform
