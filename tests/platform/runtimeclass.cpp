// Run-time class records and the object factory.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "kavex/platform/runtimeclass.h"

namespace {

class Animal : public CObject {
    KAVEX_DECLARE_DYNCREATE(Animal)
};
KAVEX_IMPLEMENT_DYNCREATE(Animal, CObject)

class Dog : public Animal {
    KAVEX_DECLARE_DYNCREATE(Dog)
};
KAVEX_IMPLEMENT_DYNCREATE(Dog, Animal)

class Shape : public CObject {
    KAVEX_DECLARE_DYNAMIC(Shape)
};
KAVEX_IMPLEMENT_DYNAMIC(Shape, CObject)

TEST(RuntimeClass, DerivationAndCreation) {
    Dog dog;
    Animal animal;
    EXPECT_TRUE(dog.IsKindOf(KAVEX_RUNTIME_CLASS(Animal)) &&
                dog.IsKindOf(KAVEX_RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(animal.IsKindOf(KAVEX_RUNTIME_CLASS(Dog)) || animal.IsKindOf(nullptr) ||
                 KAVEX_RUNTIME_CLASS(Dog)->IsDerivedFrom(KAVEX_RUNTIME_CLASS(Shape)));
    std::unique_ptr<CObject> made(KAVEX_RUNTIME_CLASS(Dog)->CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), KAVEX_RUNTIME_CLASS(Dog));
    EXPECT_EQ(KAVEX_RUNTIME_CLASS(Shape)->CreateObject(), nullptr);  // no factory
}

TEST(ObjectFactory, FillsOnceOnFirstUseAndCreatesByName) {
    int fills = 0;
    CObjectFactory factory([&](CObjectFactory& f) {
        ++fills;
        f.Register(std::make_unique<Animal>());
        f.Register(std::make_unique<Dog>());
        f.Register(std::make_unique<Dog>());  // replaces the first Dog
        f.Register(nullptr);
    });
    EXPECT_EQ(fills, 0);
    auto dog = factory.Create("Dog");
    ASSERT_NE(dog, nullptr);
    EXPECT_EQ(dog->GetRuntimeClass(), KAVEX_RUNTIME_CLASS(Dog));
    EXPECT_EQ(factory.Create("Dgo"), nullptr);
    EXPECT_EQ(factory.ClassNames(), (std::vector<std::string>{"Animal", "Dog"}));
    EXPECT_EQ(fills, 1);
}

}  // namespace
