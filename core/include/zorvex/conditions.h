// Conditions. Condition holds no data, and StatusCondition and ReadCondition
// take it as a virtual base, so it is their primary base: the Condition part
// of every status, read, query and guard condition lies at the condition's
// own address, and one pointer value serves both views.
#ifndef ZORVEX_CONDITIONS_H
#define ZORVEX_CONDITIONS_H

#include <atomic>
#include <string>
#include <vector>

#include "zorvex/fwd.h"
#include "zorvex/types.h"

namespace ZORVEX {

class QUILLMAR_API Condition {
public:
    // A condition destroyed while attached is detached from its wait-sets.
    virtual ~Condition();
    virtual bool get_trigger_value();

protected:
    Condition() = default;
    Condition(const Condition&) = delete;
    Condition& operator=(const Condition&) = delete;
};

// Triggers while its entity has a changed status among the enabled ones
// (all, at first). Owned by its entity.
class QUILLMAR_API StatusCondition : public virtual Condition {
public:
    ~StatusCondition() override;
    virtual ReturnCode_t set_enabled_statuses(const StatusMask& mask);
    virtual const StatusMask& get_enabled_statuses();
    virtual Entity* get_entity();
};

// Triggers while its reader holds a sample whose states are in all three
// masks. Owned by its reader.
class QUILLMAR_API ReadCondition : public virtual Condition {
public:
    ~ReadCondition() override;
    virtual DataReader* get_datareader();
    virtual const SampleStateMask& get_sample_state_mask();
    virtual const ViewStateMask& get_view_state_mask();
    virtual const InstanceStateMask& get_instance_state_mask();
};

// A read condition that also keeps a query expression and its parameters.
class QUILLMAR_API QueryCondition : public ReadCondition {
public:
    ~QueryCondition() override;
    virtual const char* get_query_expression();
    virtual ReturnCode_t get_query_parameters(std::vector<std::string>& query_parameters);
    virtual ReturnCode_t set_query_parameters(const std::vector<std::string>& query_parameters);
};

// Triggered by the application. Owned by whoever created it.
class QUILLMAR_API GuardCondition : public Condition {
public:
    GuardCondition();
    ~GuardCondition() override;
    bool get_trigger_value() override;
    // Wakes the wait-sets it is attached to.
    ReturnCode_t set_trigger_value(bool value);

private:
    std::atomic<bool> trigger_{false};
};

}  // namespace ZORVEX

#endif
