#include "plan_answer.h"

#include "plan_cache.h"
#include "plan_compiler.h"

namespace ombra::plans {

namespace {

// What a call needs besides the plan, kept per thread from call to call.
struct Workspace {
    Shape shape;
    std::vector<Operand> slots;
    std::string answer;
};

}  // namespace

bool answerByPlan(std::string& text, int16_t& logicalResult) {
    thread_local Workspace workspace;
    auto& [shape, slots, answer] = workspace;
    if (!readShape(text, shape)) return false;
    PlanCache& cache = planCache();
    std::shared_ptr<const Plan> plan;
    if (!cache.find(shape, plan)) {
        plan = compilePlan(text, shape);
        cache.insert(shape, plan);
    }
    if (!plan || !runPlan(*plan, text, shape, slots, answer)) return false;
    cache.countAnswer();
    text.assign(answer);
    logicalResult = plan->logicalResult ? -1 : 0;
    return true;
}

}  // namespace ombra::plans
