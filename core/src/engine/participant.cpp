#include "engine/entity_operations.h"
#include "engine/participant.h"
#include "engine/plan.h"

#include <algorithm>

#include "common/durations.h"
#include "engine/builtin_data.h"
#include "engine/publisher.h"
#include "engine/qos_rules.h"
#include "engine/reader.h"
#include "engine/subscriber.h"
#include "engine/topic.h"
#include "engine/writer.h"

namespace ZORVEX::engine {

namespace {

template <class Impl, class Iface>
auto find_child(std::vector<std::shared_ptr<Impl>>& children, Iface* child) {
    return std::find_if(children.begin(), children.end(), [&](const auto& c) { return c.get() == child; });
}

}  // namespace

ParticipantImpl::ParticipantImpl(Domain& domain, const DomainParticipantQos& qos,
                                 HeldListener<DomainParticipantListener> listener, StatusMask mask)
    : domain_(domain), domain_id_(domain.id), qos_(qos), listener_{std::move(listener), mask} {}

ReturnCode_t ParticipantImpl::enable() {
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        Plan plan(after);
        enable_locked(plan);
        plan.commit();
    }
    after.run();
    return RETCODE_OK;
}

void ParticipantImpl::enable_locked(Plan& plan) {
    if (enabled_) return;
    plan.raise_flag(enabled_);
    if (!qos_.entity_factory.autoenable_created_entities) return;
    for (auto& t : topics_) plan.raise_flag(t->enabled_);
    for (auto& p : publishers_) p->enable_locked(plan);
    for (auto& s : subscribers_) s->enable_locked(plan);
}

Publisher* ParticipantImpl::create_publisher(const PublisherQos& qos, PublisherListener* listener,
                                             const StatusMask& mask) {
    HeldListener<PublisherListener> owned = hold(listener);
    Deferred after;
    std::shared_ptr<PublisherImpl> made;
    Publisher* created = nullptr;
    {
        Guard g;
        const PublisherQos& q = &qos == &PUBLISHER_QOS_DEFAULT ? default_publisher_qos_ : qos;
        if (deleted_ || !qos::consistent(q)) return nullptr;
        created = add_child(publishers_, made, autoenables(), after, *this, q, std::move(owned), mask);
    }
    after.run();
    return created;
}

ReturnCode_t ParticipantImpl::delete_publisher(Publisher*& publisher) {
    if (publisher == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        auto it = find_child(publishers_, publisher);
        if (it == publishers_.end() || !(*it)->writers_.empty()) return RETCODE_PRECONDITION_NOT_MET;
        after.reserve(0, 1);
        (*it)->deleted_ = true;
        after.release(std::move(*it));
        publishers_.erase(it);
    }
    publisher = nullptr;
    after.run();
    return RETCODE_OK;
}

Subscriber* ParticipantImpl::create_subscriber(const SubscriberQos& qos, SubscriberListener* listener,
                                               const StatusMask& mask) {
    HeldListener<SubscriberListener> owned = hold(listener);
    Deferred after;
    std::shared_ptr<SubscriberImpl> made;
    Subscriber* created = nullptr;
    {
        Guard g;
        const SubscriberQos& q = &qos == &SUBSCRIBER_QOS_DEFAULT ? default_subscriber_qos_ : qos;
        if (deleted_ || !qos::consistent(q)) return nullptr;
        created = add_child(subscribers_, made, autoenables(), after, *this, q, std::move(owned), mask);
    }
    after.run();
    return created;
}

ReturnCode_t ParticipantImpl::delete_subscriber(Subscriber*& subscriber) {
    if (subscriber == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        auto it = find_child(subscribers_, subscriber);
        if (it == subscribers_.end() || !(*it)->readers_.empty()) return RETCODE_PRECONDITION_NOT_MET;
        after.reserve(0, 1);
        (*it)->deleted_ = true;
        after.release(std::move(*it));
        subscribers_.erase(it);
    }
    subscriber = nullptr;
    after.run();
    return RETCODE_OK;
}

ReturnCode_t ParticipantImpl::register_type(const std::string& type_name, const TypeDescriptor* descriptor) {
    if (type_name.empty() || descriptor == nullptr || descriptor->sample_size == 0 ||
        descriptor->key_size > descriptor->sample_size ||
        descriptor->key_offset > descriptor->sample_size - descriptor->key_size)
        return RETCODE_BAD_PARAMETER;
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    auto it = types_.find(type_name);
    if (it == types_.end()) {
        types_.emplace(type_name, *descriptor);
        return RETCODE_OK;
    }
    return same_layout(it->second, *descriptor) ? RETCODE_OK : RETCODE_PRECONDITION_NOT_MET;
}

TopicImpl* ParticipantImpl::local_topic(const std::string& name) const {
    for (auto& t : topics_)
        if (t->name_ == name) return t.get();
    return nullptr;
}

void ParticipantImpl::prepare_topic_appeared(Deferred& after) const {
    after.reserve(2 * domain_.participants.size(), 0);  // this topic's and each other's disagreement
}

void ParticipantImpl::topic_appeared(TopicImpl& topic, Deferred& after) noexcept {
    for (ParticipantImpl* p : domain_.participants) {
        if (p == this) continue;
        TopicImpl* other = p->local_topic(topic.name_);
        if (other && (other->type_name_ != topic.type_name_ || !same_layout(other->type_, topic.type_))) {
            other->inconsistent_with_another(after);
            topic.inconsistent_with_another(after);
        }
    }
    engine::topic_created().notify_all();
}

Topic* ParticipantImpl::create_topic(const std::string& topic_name, const std::string& type_name,
                                     const TopicQos& qos, TopicListener* listener, const StatusMask& mask) {
    HeldListener<TopicListener> owned = hold(listener);
    Deferred after;
    Topic* created = nullptr;
    {
        Guard g;
        const TopicQos& q = &qos == &TOPIC_QOS_DEFAULT ? default_topic_qos_ : qos;
        auto type = types_.find(type_name);
        if (deleted_ || topic_name.empty() || type == types_.end() || !qos::consistent(q) ||
            lookup_topicdescription_locked(topic_name))
            return nullptr;
        topics_.reserve(topics_.size() + 1);
        prepare_topic_appeared(after);
        auto t = std::make_shared<TopicImpl>(*this, topic_name, type_name, type->second, q, std::move(owned), mask);
        topics_.push_back(t);
        t->enabled_ = autoenables();
        topic_appeared(*t, after);
        created = t.get();
    }
    after.run();
    return created;
}

ReturnCode_t ParticipantImpl::delete_topic(Topic*& topic) {
    if (topic == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        auto it = find_child(topics_, topic);
        if (it == topics_.end()) return RETCODE_PRECONDITION_NOT_MET;
        TopicImpl& t = **it;
        if (t.references_ > 1) {
            --t.references_;
        } else {
            if (t.users_ > 0) return RETCODE_PRECONDITION_NOT_MET;
            const std::string name = t.name_;
            after.reserve(0, 1);
            t.deleted_ = true;
            after.release(std::move(*it));
            topics_.erase(it);
            domain_.topic_gone(name);
        }
    }
    topic = nullptr;
    after.run();
    return RETCODE_OK;
}

ContentFilteredTopic* ParticipantImpl::create_contentfilteredtopic(
    const std::string& name, Topic* related_topic, const std::string& filter_expression,
    const std::vector<std::string>& expression_parameters) {
    Guard g;
    auto related = find_child(topics_, related_topic);
    if (deleted_ || name.empty() || related == topics_.end() || lookup_topicdescription_locked(name))
        return nullptr;
    filtered_topics_.reserve(filtered_topics_.size() + 1);
    auto f = std::make_shared<FilteredTopicImpl>(*this, name, **related, filter_expression, expression_parameters);
    filtered_topics_.push_back(f);
    ++(*related)->users_;
    return f.get();
}

ReturnCode_t ParticipantImpl::delete_contentfilteredtopic(ContentFilteredTopic*& topic) {
    if (topic == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        auto it = find_child(filtered_topics_, topic);
        if (it == filtered_topics_.end()) return RETCODE_PRECONDITION_NOT_MET;
        after.reserve(0, 1);
        (*it)->deleted_ = true;
        --(*it)->related_.users_;
        after.release(std::move(*it));
        filtered_topics_.erase(it);
    }
    topic = nullptr;
    after.run();
    return RETCODE_OK;
}

Topic* ParticipantImpl::find_topic(const std::string& topic_name, const Duration_t& timeout) {
    if (!durations::valid(timeout)) return nullptr;
    const auto deadline = durations::deadline_after(timeout);
    std::shared_ptr<ParticipantImpl> keep;  // another thread may delete this participant meanwhile
    Deferred after;
    Topic* found = nullptr;
    {
        Guard g;
        for (;;) {
            if (deleted_) return nullptr;
            if (TopicImpl* t = local_topic(topic_name)) {
                ++t->references_;
                found = t;
                break;
            }
            TopicImpl* remote = nullptr;
            for (ParticipantImpl* p : domain_.participants)
                if (p != this && (remote = p->local_topic(topic_name))) break;
            if (remote && !lookup_topicdescription_locked(topic_name)) {
                topics_.reserve(topics_.size() + 1);
                prepare_topic_appeared(after);
                auto t = std::make_shared<TopicImpl>(*this, remote->name_, remote->type_name_, remote->type_,
                                                     remote->qos_, HeldListener<TopicListener>(), STATUS_MASK_NONE);
                topics_.push_back(t);
                t->enabled_ = autoenables();
                topic_appeared(*t, after);
                found = t.get();
                break;
            }
            if (!keep) keep = shared_from_this();
            if (!deadline) {
                topic_created().wait(g.lock());
            } else if (topic_created().wait_until(g.lock(), *deadline) == std::cv_status::timeout) {
                break;
            }
        }
    }
    after.run();
    return found;
}

TopicDescription* ParticipantImpl::lookup_topicdescription_locked(const std::string& name) const {
    if (TopicImpl* t = local_topic(name)) return t;
    for (auto& f : filtered_topics_)
        if (f->name_ == name) return f.get();
    return nullptr;
}

TopicDescription* ParticipantImpl::lookup_topicdescription(const std::string& name) {
    Guard g;
    return deleted_ ? nullptr : lookup_topicdescription_locked(name);
}

bool ParticipantImpl::has_children() const {
    return !publishers_.empty() || !subscribers_.empty() || !topics_.empty() || !filtered_topics_.empty();
}

bool ParticipantImpl::can_tear_down() const {
    return std::all_of(subscribers_.begin(), subscribers_.end(), [](const auto& s) { return s->can_tear_down(); });
}

void ParticipantImpl::prepare_tear_down(Plan& plan, std::vector<std::string>& topic_names) const {
    for (auto& p : publishers_) p->prepare_tear_down(plan);
    for (auto& s : subscribers_) s->prepare_tear_down(plan.after());
    plan.after().reserve(0, publishers_.size() + subscribers_.size() + filtered_topics_.size() + topics_.size());
    topic_names.reserve(topics_.size());
    for (auto& t : topics_) topic_names.push_back(t->name_);
}

void ParticipantImpl::tear_down(const std::vector<std::string>& topic_names, Deferred& after) noexcept {
    for (auto& p : publishers_) {
        p->tear_down(after);
        p->deleted_ = true;
        after.release(std::move(p));
    }
    publishers_.clear();
    for (auto& s : subscribers_) {
        s->tear_down(after);
        s->deleted_ = true;
        after.release(std::move(s));
    }
    subscribers_.clear();
    for (auto& f : filtered_topics_) {
        f->deleted_ = true;
        after.release(std::move(f));
    }
    filtered_topics_.clear();
    for (auto& t : topics_) {
        t->deleted_ = true;
        after.release(std::move(t));
    }
    topics_.clear();
    for (const auto& name : topic_names) domain_.topic_gone(name);
}

ReturnCode_t ParticipantImpl::delete_contained_entities() {
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        if (!can_tear_down()) return RETCODE_PRECONDITION_NOT_MET;
        Plan plan(after);
        std::vector<std::string> topic_names;
        prepare_tear_down(plan, topic_names);
        plan.commit();
        tear_down(topic_names, after);
    }
    after.run();
    return RETCODE_OK;
}

ReturnCode_t ParticipantImpl::set_qos(const DomainParticipantQos& qos) { return change_qos(*this, qos_, qos); }

ReturnCode_t ParticipantImpl::get_qos(DomainParticipantQos& qos) {
    Guard g;
    qos = qos_;
    return RETCODE_OK;
}

ReturnCode_t ParticipantImpl::set_listener(DomainParticipantListener* listener, const StatusMask& mask) {
    return install_listener(*this, listener_, listener, mask);
}

DomainParticipantListener* ParticipantImpl::get_listener() {
    return listener_.lend();
}

DomainId_t ParticipantImpl::get_domain_id() { return domain_id_; }

ReturnCode_t ParticipantImpl::assert_liveliness() {
    Guard g;
    return deleted_ ? RETCODE_ALREADY_DELETED : enabled_ ? RETCODE_OK : RETCODE_NOT_ENABLED;
}

ReturnCode_t ParticipantImpl::set_default_publisher_qos(const PublisherQos& qos) {
    return set_default_qos(default_publisher_qos_, qos, PUBLISHER_QOS_DEFAULT);
}

ReturnCode_t ParticipantImpl::get_default_publisher_qos(PublisherQos& qos) {
    Guard g;
    qos = default_publisher_qos_;
    return RETCODE_OK;
}

ReturnCode_t ParticipantImpl::set_default_subscriber_qos(const SubscriberQos& qos) {
    return set_default_qos(default_subscriber_qos_, qos, SUBSCRIBER_QOS_DEFAULT);
}

ReturnCode_t ParticipantImpl::get_default_subscriber_qos(SubscriberQos& qos) {
    Guard g;
    qos = default_subscriber_qos_;
    return RETCODE_OK;
}

ReturnCode_t ParticipantImpl::set_default_topic_qos(const TopicQos& qos) {
    return set_default_qos(default_topic_qos_, qos, TOPIC_QOS_DEFAULT);
}

ReturnCode_t ParticipantImpl::get_default_topic_qos(TopicQos& qos) {
    Guard g;
    qos = default_topic_qos_;
    return RETCODE_OK;
}

bool ParticipantImpl::contains_entity(const InstanceHandle_t& handle) {
    Guard g;
    if (deleted_ || handle.valid == 0) return false;
    for (auto& t : topics_)
        if (t->handle_ == handle) return true;
    for (auto& p : publishers_) {
        if (p->handle_ == handle) return true;
        for (auto& w : p->writers_)
            if (w->get_instance_handle() == handle) return true;
    }
    for (auto& s : subscribers_) {
        if (s->handle_ == handle) return true;
        for (auto& r : s->readers_)
            if (r->get_instance_handle() == handle) return true;
    }
    return false;
}

ReturnCode_t ParticipantImpl::get_discovered_participants(std::vector<InstanceHandle_t>& handles) {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    handles.clear();
    for (ParticipantImpl* p : domain_.participants) handles.push_back(p->handle_);
    return RETCODE_OK;
}

ReturnCode_t ParticipantImpl::get_discovered_participant_data(ParticipantBuiltinTopicData& data,
                                                              const InstanceHandle_t& handle) {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    for (ParticipantImpl* p : domain_.participants)
        if (p->handle_ == handle) {
            describe(*p, data);
            return RETCODE_OK;
        }
    return RETCODE_BAD_PARAMETER;
}

ReturnCode_t ParticipantImpl::get_discovered_topics(std::vector<InstanceHandle_t>& handles) {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    handles.clear();
    for (ParticipantImpl* p : domain_.participants)
        for (auto& t : p->topics_) handles.push_back(t->handle_);
    return RETCODE_OK;
}

ReturnCode_t ParticipantImpl::get_discovered_topic_data(TopicBuiltinTopicData& data, const InstanceHandle_t& handle) {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    for (ParticipantImpl* p : domain_.participants)
        for (auto& t : p->topics_)
            if (t->handle_ == handle) {
                describe(*t, data);
                return RETCODE_OK;
            }
    return RETCODE_BAD_PARAMETER;
}

}  // namespace ZORVEX::engine
