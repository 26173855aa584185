// Default bodies of the condition interfaces.
#include "zorvex/conditions.h"

namespace ZORVEX {

namespace {
const StatusMask no_statuses = 0;
const uint16_t no_states = 0;
}  // namespace

bool Condition::get_trigger_value() { return false; }

StatusCondition::~StatusCondition() = default;
ReturnCode_t StatusCondition::set_enabled_statuses(const StatusMask&) { return RETCODE_UNSUPPORTED; }
const StatusMask& StatusCondition::get_enabled_statuses() { return no_statuses; }
Entity* StatusCondition::get_entity() { return nullptr; }

ReadCondition::~ReadCondition() = default;
DataReader* ReadCondition::get_datareader() { return nullptr; }
const SampleStateMask& ReadCondition::get_sample_state_mask() { return no_states; }
const ViewStateMask& ReadCondition::get_view_state_mask() { return no_states; }
const InstanceStateMask& ReadCondition::get_instance_state_mask() { return no_states; }

QueryCondition::~QueryCondition() = default;
const char* QueryCondition::get_query_expression() { return ""; }
ReturnCode_t QueryCondition::get_query_parameters(std::vector<std::string>&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t QueryCondition::set_query_parameters(const std::vector<std::string>&) { return RETCODE_UNSUPPORTED; }

}  // namespace ZORVEX
