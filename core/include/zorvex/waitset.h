// WaitSet: blocks a thread until one of its attached conditions triggers.
#ifndef ZORVEX_WAITSET_H
#define ZORVEX_WAITSET_H

#include <vector>

#include "zorvex/fwd.h"
#include "zorvex/types.h"

namespace ZORVEX {

namespace detail {
struct WaitSetState;
}

class QUILLMAR_API WaitSet {
public:
    WaitSet();
    // Detaches every condition.
    ~WaitSet();
    WaitSet(const WaitSet&) = delete;
    WaitSet& operator=(const WaitSet&) = delete;

    // Attaching twice is harmless; null: RETCODE_BAD_PARAMETER.
    ReturnCode_t attach_condition(Condition* condition);
    // A condition not attached: RETCODE_PRECONDITION_NOT_MET.
    ReturnCode_t detach_condition(Condition* condition);
    // Fills `active_conditions` with the triggered conditions, in attach
    // order, and answers RETCODE_OK; RETCODE_TIMEOUT with an empty list once
    // `timeout` passes (DURATION_INFINITE waits for ever).
    // RETCODE_PRECONDITION_NOT_MET when nothing is attached or another thread
    // already waits here; RETCODE_BAD_PARAMETER for a malformed timeout.
    ReturnCode_t wait(std::vector<Condition*>& active_conditions, const Duration_t& timeout);
    ReturnCode_t get_conditions(std::vector<Condition*>& attached_conditions);

private:
    detail::WaitSetState* state_;
};

}  // namespace ZORVEX

#endif
