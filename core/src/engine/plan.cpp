#include "engine/plan.h"

#include <algorithm>

#include "engine/reader.h"

namespace ZORVEX::engine {

Plan::~Plan() {
    if (!committed_)
        for (auto it = raised_.rbegin(); it != raised_.rend(); ++it) **it = false;
    for (ReaderImpl* r : readers_) r->history_.drop_room();
}

void Plan::room_in(ReaderImpl& reader) {
    if (std::find(readers_.begin(), readers_.end(), &reader) == readers_.end()) readers_.push_back(&reader);
}

void Plan::raise_flag(bool& flag) {
    if (flag) return;
    raised_.push_back(&flag);
    flag = true;
}

void Plan::then(std::function<void()> step) { steps_.push_back(std::move(step)); }

void Plan::commit() noexcept {
    committed_ = true;
    for (auto& step : steps_) step();
}

}  // namespace ZORVEX::engine
