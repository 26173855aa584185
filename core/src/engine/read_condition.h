// Read and query conditions of a reader.
#ifndef ZORVEX_SRC_ENGINE_READ_CONDITION_H
#define ZORVEX_SRC_ENGINE_READ_CONDITION_H

#include <string>
#include <vector>

#include "engine/lock.h"
#include "engine/reader.h"
#include "waitset/hub.h"

namespace ZORVEX::engine {

template <class Base>
class ReadConditionBase : public Base {
public:
    ReadConditionBase(ReaderImpl& reader, SampleStateMask samples, ViewStateMask views, InstanceStateMask instances)
        : reader_(reader), samples_(samples), views_(views), instances_(instances) {}

    bool get_trigger_value() override {
        Guard g;
        return !reader_.deleted_ && reader_.history_.any(samples_, views_, instances_);
    }
    DataReader* get_datareader() override { return &reader_; }
    const SampleStateMask& get_sample_state_mask() override { return samples_; }
    const ViewStateMask& get_view_state_mask() override { return views_; }
    const InstanceStateMask& get_instance_state_mask() override { return instances_; }

    ReaderImpl& reader_;
    const SampleStateMask samples_;
    const ViewStateMask views_;
    const InstanceStateMask instances_;
};

class ReadConditionImpl final : public ReadConditionBase<ReadCondition> {
public:
    using ReadConditionBase::ReadConditionBase;
    // Detached while still whole, so no wait-set evaluates it mid-destruction.
    ~ReadConditionImpl() override { hub::forget(this); }
};

class QueryConditionImpl final : public ReadConditionBase<QueryCondition> {
public:
    QueryConditionImpl(ReaderImpl& reader, SampleStateMask samples, ViewStateMask views,
                       InstanceStateMask instances, const std::string& expression,
                       const std::vector<std::string>& parameters)
        : ReadConditionBase(reader, samples, views, instances), expression_(expression), parameters_(parameters) {}
    ~QueryConditionImpl() override { hub::forget(this); }

    const char* get_query_expression() override { return expression_.c_str(); }
    ReturnCode_t get_query_parameters(std::vector<std::string>& query_parameters) override {
        Guard g;
        query_parameters = parameters_;
        return RETCODE_OK;
    }
    ReturnCode_t set_query_parameters(const std::vector<std::string>& query_parameters) override {
        std::vector<std::string> copy = query_parameters;  // made whole before the lock
        Guard g;
        parameters_.swap(copy);
        return RETCODE_OK;
    }

    const std::string expression_;
    std::vector<std::string> parameters_;
};

}  // namespace ZORVEX::engine

#endif
