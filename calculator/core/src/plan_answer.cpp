#include "plan_answer.h"

#include "plan_cache.h"
#include "plan_compiler.h"

namespace ombra::plans {

bool answerByPlan(std::string& text, int16_t& logicalResult) {
    thread_local Shape shape;
    thread_local std::string answer;
    if (!readShape(text, shape)) return false;
    PlanCache& cache = planCache();
    std::shared_ptr<const Plan> plan;
    if (!cache.find(shape, plan)) {
        plan = compilePlan(text, shape);
        cache.insert(shape, plan);
    }
    if (!plan || !runPlan(*plan, text, shape, answer)) return false;
    cache.countAnswer();
    text.assign(answer);
    logicalResult = plan->logicalResult ? -1 : 0;
    return true;
}

}  // namespace ombra::plans
