#pragma once
// A project with recording windows and prompts, and a recording grid for the data view: items
// of each kind are added and selected as the explorer would.
#include "app/LineCommand.h"
#include "app/ProjectModel.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"
#include "tests/app/RecordingWindows.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

// The grid as a map of texts, with its size and widths.
class RecordingGrid : public IGridFillSink {
public:
    int GetRowCount() const override { return rows; }
    int GetColumnCount() const override { return columns; }
    void SetSize(int r, int c) override
    {
        rows = r;
        columns = c;
    }
    void SetColumnWidth(int column, int width) override { widths[column] = width; }
    void SetText(int row, int column, const CString& text) override
    {
        EXPECT_TRUE(row >= 0 && row < rows && column >= 0 && column < columns)
            << "(" << row << ", " << column << ") outside " << rows << " x " << columns;
        texts[{row, column}] = text.GetString();
    }
    std::string Text(int row, int column) const
    {
        auto found = texts.find({row, column});
        return found == texts.end() ? std::string() : found->second;
    }
    void Clear() { texts.clear(); }

    int rows = kGridDefaultRows;
    int columns = kGridDefaultColumns;
    std::map<int, int> widths;
    std::map<std::pair<int, int>, std::string> texts;
};

// The project's line command, as the document wires it, over a project of the fixture.
class ProjectLineHost : public ILineCommandHost {
public:
    ProjectLineHost(ProjectModel& model, IProjectPrompts& prompts)
        : m_model(model), m_prompts(prompts)
    {
    }
    int GetSelectedKind() const override { return m_model.GetSelectedKind(); }
    void RefreshGrid() override { m_model.RefreshGrid(); }
    void AddResultItem(int kind, CObject* pObject) override
    {
        m_model.AddResultItem(kind, pObject);
    }
    void ShowMessage(const CString& text) override { m_prompts.ShowMessage(text); }

private:
    ProjectModel& m_model;
    IProjectPrompts& m_prompts;
};

class DataViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        model.Initialize();
        UseDotSeparators();
        model.SetWindows(&windows);
        model.SetPrompts(&prompts);
    }
    // Also run between the cases of a table, so that each starts from an empty project.
    void TearDown() override
    {
        model.SetWindows(nullptr);
        model.DeleteContents();
        model.ReleaseUserDefinitions();
        ResetIndependentVariables();
        windows.nodes.clear();
        windows.log.clear();
        prompts.log.clear();
        prompts.answers.clear();
    }

    // Between the cases of a table: an empty project again.
    void Reset()
    {
        TearDown();
        SetUp();
    }
    // Each adds an item and selects it.
    CDataColumn* AddList(const char* name, std::initializer_list<double> values)
    {
        auto* list = new CDataColumn;
        list->SetName(name);
        for (double v : values)
            list->Append(v);
        model.AddResultItem(ItemList, list);
        return list;
    }
    CDataTable* AddTable(const char* name, int layout, int columns, int rows)
    {
        auto* table = new CDataTable;
        table->Create(layout, columns, rows);
        table->SetName(name);
        model.AddResultItem(ItemDataTable, table);
        return table;
    }
    CMatrixObject* AddMatrix(const char* name, int rows, int columns)
    {
        auto* matrix = new CMatrixObject;
        matrix->Resize(rows, columns, FALSE);
        matrix->SetName(name);
        model.AddResultItem(ItemMatrix, matrix);
        return matrix;
    }
    CSolverModel* AddSolverModel(const char* equation)
    {
        EXPECT_EQ(model.AddSolverModel(equation, ""), 0) << equation;
        CSolverModel* solver = model.m_UserDefinitions.GetSolverModel(
            model.m_UserDefinitions.GetSolverModelCount() - 1);
        windows.InsertExplorerItem(ItemSolverModel, solver->m_strEquation, TRUE);
        return solver;
    }
    void SelectFolder(int kind) { windows.SelectFolder(kind, "Folder"); }

    // Fills the grid from the selection and returns what the view would do beyond the texts.
    GridFillShape Fill()
    {
        grid.Clear();
        return model.FillDataView(grid, TRUE);
    }
    // Types text into (row, column): the cell's text afterwards, "(refused)" when refused.
    std::string Type(int row, int column, const char* text)
    {
        CString cell = text;
        double value = 0;
        if (!model.ApplyGridEdit(row, column, cell, value))
            return "(refused)";
        return cell.GetString();
    }

    ProjectModel model;
    RecordingWindows windows{&model};
    RecordingPrompts prompts;
    RecordingGrid grid;
};
